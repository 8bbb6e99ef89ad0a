#include "levels/levelinfo.h"

#include "files/fileops.h"
#include "files/paths.h"
#include "files/sizetext.h"

namespace levels {

namespace {

std::wstring LocaleText(const wchar_t* locale, LCTYPE what) {
  wchar_t buffer[128] = L"";
  int n = GetLocaleInfoEx(locale, what, buffer, 128);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

}  // namespace

std::wstring TimeSeparator(const wchar_t* locale) {
  // The locale's own time picture ("H.mm.ss", "h:mm:ss tt", "HH 'h' mm")
  // shows the separator as the text between the hours and the minutes; a
  // user's own picture is honoured that way too. Quoted text is literal.
  std::wstring picture = LocaleText(locale, LOCALE_STIMEFORMAT);
  std::wstring separator;
  bool quoted = false, after_hours = false;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    wchar_t c = picture[i];
    if (c == L'\'') {
      if (i + 1 < picture.size() && picture[i + 1] == L'\'') {
        if (after_hours) separator += L'\'';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (!quoted && (c == L'h' || c == L'H')) {
      if (!separator.empty()) break;  // hours again before any minutes
      after_hours = true;
    } else if (!quoted && after_hours && c == L'm') {
      if (!separator.empty()) return separator;
      break;
    } else if (after_hours) {
      if (!quoted && (c == L's' || c == L't')) break;
      separator += c;
    }
  }
  std::wstring old = LocaleText(locale, LOCALE_STIME);
  return old.empty() || old.find(L'\'') != std::wstring::npos ? L":" : old;
}

std::wstring DateText(const SYSTEMTIME& local, const wchar_t* locale) {
  // "h:mm:ss tt" with the locale's separator and designator put in as
  // quoted text. The separator and both designators are read together:
  // some systems (Wine) keep each of the user's settings as the program
  // first read it, and rewrite the settings when a program of another
  // language starts; a designator read first at a later moment than the
  // separator and the other designator could be of that other language
  // ("12.05.00 AM" beside "3.07.09 ip." in Finnish).
  auto quoted = [](const std::wstring& text) {
    std::wstring out = L"'";
    for (wchar_t c : text) out += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
    return out + L"'";
  };
  std::wstring separator = quoted(TimeSeparator(locale));
  std::wstring am = LocaleText(locale, LOCALE_S1159), pm = LocaleText(locale, LOCALE_S2359);
  const std::wstring& designator = local.wHour < 12 ? am : pm;
  std::wstring picture = L"h" + separator + L"mm" + separator + L"ss";
  if (!designator.empty()) picture += L" " + quoted(designator);
  std::wstring date(128, L'\0'), time(64, L'\0');
  int d = GetDateFormatEx(locale, 0, &local, L"dddd, MMMM d, yyyy", date.data(), static_cast<int>(date.size()),
                          nullptr);
  int t = GetTimeFormatEx(locale, 0, &local, picture.c_str(), time.data(), static_cast<int>(time.size()));
  if (d <= 0 || t <= 0) return kDateUnknown;
  date.resize(static_cast<std::size_t>(d - 1));  // the counts include the terminating zero
  time.resize(static_cast<std::size_t>(t - 1));
  return date + L"\r" + time;
}

LevelInfo ReadLevelInfo(const std::wstring& folder, const std::wstring& name, jj::Refusal* refused) {
  jj::FileFacts facts;
  jj::FileOutcome read = jj::ReadFacts(folder, name, &facts);
  if (refused) *refused = read.refused;
  if (!read.done()) return {jj::kSizeUnknown, kDateUnknown, read.error};
  LevelInfo info{};
  info.size = jj::SizeText(facts.bytes);
  FILETIME written;
  written.dwLowDateTime = static_cast<DWORD>(facts.last_write);
  written.dwHighDateTime = static_cast<DWORD>(facts.last_write >> 32);
  SYSTEMTIME utc, local;
  if (FileTimeToSystemTime(&written, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
    info.date = DateText(local);
  } else {
    info.date = kDateUnknown;
    info.error = GetLastError();
  }
  return info;
}

}  // namespace levels
