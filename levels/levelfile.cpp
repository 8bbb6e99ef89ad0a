#include "levelfile.h"

#include "fileops.h"
#include "paths.h"
#include "text.h"

namespace levels {

std::wstring DateText(const SYSTEMTIME& local, const wchar_t* locale) {
  std::wstring date(128, L'\0'), time(64, L'\0');
  int d = GetDateFormatEx(locale, 0, &local, L"dddd, MMMM d, yyyy", date.data(), static_cast<int>(date.size()),
                          nullptr);
  int t = GetTimeFormatEx(locale, 0, &local, L"h:mm:ss tt", time.data(), static_cast<int>(time.size()));
  if (d <= 0 || t <= 0) return kDateUnknown;
  date.resize(static_cast<std::size_t>(d - 1));  // the counts include the terminating zero
  time.resize(static_cast<std::size_t>(t - 1));
  return date + L"\r" + time;
}

LevelInfo ReadLevelInfo(const std::wstring& folder, const std::wstring& name, std::wstring* refused) {
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
