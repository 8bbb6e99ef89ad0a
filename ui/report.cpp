#include "ui/report.h"

#include <shlobj.h>

#include <algorithm>

#include "files/fold.h"
#include "files/paths.h"
#include "ui/system.h"

namespace jj {

namespace {

// FormatMessageW's text for `code`: inserts filled from `inserts`, or left as
// they are when that is null.
std::wstring Formatted(unsigned long code, const DWORD_PTR* inserts) {
  wchar_t* buffer = nullptr;
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                (inserts ? FORMAT_MESSAGE_ARGUMENT_ARRAY : FORMAT_MESSAGE_IGNORE_INSERTS);
  DWORD n = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0,
                           reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(inserts)));
  std::wstring text;
  if (n && buffer) text.assign(buffer, n);
  LocalFree(buffer);
  return text;
}

// A path as it is compared with a program folder: without "\\?\" (a share's
// "\\?\UNC\" as "\\"), slashes as backslashes, no trailing backslash, folded.
std::wstring Comparable(std::wstring path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    path.erase(2, 6);
  } else if (path.starts_with(L"\\\\?\\")) {
    path.erase(0, 4);
  }
  std::replace(path.begin(), path.end(), L'/', L'\\');
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return FoldCase(path);
}

// The folder's long form where it is given in short names ("C:\PROGRA~2").
std::wstring LongForm(const std::wstring& path) {
  std::wstring out(MAX_PATH, L'\0');
  DWORD n = GetLongPathNameW(path.c_str(), out.data(), static_cast<DWORD>(out.size()));
  if (n > out.size()) {
    out.resize(n);
    n = GetLongPathNameW(path.c_str(), out.data(), n);
  }
  if (!n || n >= out.size()) return path;
  out.resize(n);
  return out;
}

// Why an entry was left alone, for each kind of refusal: %1 is the entry,
// %2 the other name involved.
constexpr wchar_t kForbiddenName[] =
    L"The name holds %1, which a Windows file name cannot hold, so it does not name one file of the game folder.";
constexpr wchar_t kForbiddenNameRefused[] =
    L"The name holds %2, which a Windows file name cannot hold, so it does not name one file of the game folder. "
    L"Nothing was changed.";
constexpr wchar_t kUnknownFile[] = L"The system cannot tell which file \"%1\" is. Nothing was changed.";
constexpr wchar_t kLinkTo[] = L"\"%1\" is not a plain file: it is a link to \"%2\". Nothing was changed.";
constexpr wchar_t kLink[] = L"\"%1\" is not a plain file: it is a link. Nothing was changed.";
constexpr wchar_t kSpecial[] =
    L"\"%1\" is not a plain file: it is a FIFO, a device or another special file. Nothing was changed.";
constexpr wchar_t kFolder[] = L"\"%1\" is not a plain file: it is a folder. Nothing was changed.";
constexpr wchar_t kTwinLeft[] =
    L"The game folder no longer holds \"%1\". It holds \"%2\", which differs only in letter case and is another "
    L"file; it was left as it is.";
constexpr wchar_t kReplaced[] =
    L"Another program replaced \"%1\" while it was being renamed, so \"%2\" is not the listed file now.";
// %1 is their number, %2 their names.
constexpr wchar_t kTwins[] =
    L"The game folder holds %1 files whose names differ from it only in letter case: %2. Which of them belongs to "
    L"the episode cannot be told, so none of them was deleted.";
constexpr wchar_t kClash[] =
    L"The game folder already holds \"%1\", which would be replaced; both files are left as they are.";

// A character that a file name cannot hold, as the user is told of it.
std::wstring ShownChar(wchar_t c) {
  if (c >= 32) return L"\"" + std::wstring(1, c) + L"\"";
  std::wstring code = L"U+0000";
  for (int i = 5, v = c; i >= 2; --i, v >>= 4) code[static_cast<std::size_t>(i)] = L"0123456789ABCDEF"[v & 15];
  return L"the control character " + code;
}

}  // namespace

std::wstring Filled(std::wstring_view text, std::initializer_list<std::wstring_view> inserts) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::size_t k = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - L'1') : inserts.size();
    if (text[i] == L'%' && k < inserts.size()) {
      out += inserts.begin()[k];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::wstring ForbiddenNameText(wchar_t c) { return Filled(kForbiddenName, {ShownChar(c)}); }

std::wstring RefusalText(const FileOutcome& outcome) {
  const std::wstring& name = outcome.name;
  std::wstring other = outcome.others.empty() ? std::wstring() : outcome.others[0];
  switch (outcome.refused) {
    case Refusal::kNone: return {};
    case Refusal::kForbiddenName: return Filled(kForbiddenNameRefused, {name, ShownChar(other.empty() ? 0 : other[0])});
    case Refusal::kUnknownFile: return Filled(kUnknownFile, {name});
    case Refusal::kLink: return Filled(other.empty() ? kLink : kLinkTo, {name, other});
    case Refusal::kSpecial: return Filled(kSpecial, {name});
    case Refusal::kFolder: return Filled(kFolder, {name});
    case Refusal::kTwinLeft: return Filled(kTwinLeft, {name, other});
    case Refusal::kReplaced: return Filled(kReplaced, {name, other});
    case Refusal::kTwins: {
      std::wstring names;
      for (const std::wstring& twin : outcome.others) names += (names.empty() ? L"\"" : L", \"") + twin + L"\"";
      return Filled(kTwins, {std::to_wstring(outcome.others.size()), names});
    }
  }
  return {};
}

std::wstring SystemMessage(unsigned long code, const std::wstring& file) {
  // Every insert a message may name (%1 to %99) is the file.
  DWORD_PTR inserts[99];
  std::fill(std::begin(inserts), std::end(inserts), reinterpret_cast<DWORD_PTR>(file.c_str()));
  std::wstring text = Formatted(code, inserts);
  if (text.empty()) text = Formatted(code, nullptr);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) text = L"error " + std::to_wstring(code);
  return text;
}

std::wstring ReasonText(const FileOutcome& outcome, const std::wstring& file) {
  return outcome.refused == Refusal::kNone ? SystemMessage(outcome.error, file) : RefusalText(outcome);
}

std::wstring FailureText(const std::wstring& what, unsigned long error, const std::wstring& file) {
  return what + CR + CR + L"The system says: " + SystemMessage(error, file);
}

std::wstring OutcomeText(const std::wstring& what, const FileOutcome& outcome, const std::wstring& file) {
  if (outcome.refused != Refusal::kNone) return what + CR + CR + RefusalText(outcome);
  if (!outcome.clash.empty()) return FailureText(what + CR + Filled(kClash, {outcome.clash}), outcome.error, file);
  return FailureText(what, outcome.error, file);
}

std::wstring ProgramFolderOf(const std::wstring& folder, const std::vector<std::wstring>& program_folders) {
  std::wstring inside = Comparable(folder);
  for (const std::wstring& program_folder : program_folders) {
    std::wstring base = Comparable(program_folder);
    if (!base.empty() && inside.starts_with(base) && (inside.size() == base.size() || inside[base.size()] == L'\\'))
      return program_folder;
  }
  return {};
}

std::vector<std::wstring> ProgramFolders() {
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  static const auto get = reinterpret_cast<GetFolderPath>(SystemDllProc(L"shell32.dll", "SHGetFolderPathW"));
  std::vector<std::wstring> folders;
  for (int id : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86}) {
    wchar_t path[MAX_PATH];
    if (get && get(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK && *path) folders.emplace_back(path);
  }
  return folders;
}

std::wstring ProtectedFolderAdvice(const std::wstring& folder, unsigned long error, const std::wstring& program) {
  if (error != ERROR_ACCESS_DENIED) return {};
  std::vector<std::wstring> program_folders = ProgramFolders();
  std::wstring base = ProgramFolderOf(folder, program_folders);
  if (base.empty()) base = ProgramFolderOf(LongForm(folder), program_folders);
  if (base.empty()) return {};
  return std::wstring(CR) + CR + L"Windows protects its folder of installed programs, \"" + base +
         L"\", which holds the game folder: only a program that runs as administrator may change the files "
         L"in it." + CR + CR + L"Move the game folder out of \"" + base + L"\" (to C:\\Games, for example), or "
         L"start " + program + L" with \"Run as administrator\" (right-click it), and then try again.";
}

std::wstring UnexpectedText(const char* what) {
  std::wstring text = L"An unexpected error stopped this command:";
  text += CR;
  for (const char* p = what; *p; ++p) text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
  return text;
}

void Warn(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& text) {
  prompter.Show(owner, text, title, Icon::Exclamation, Buttons::Ok);
}

void ReportFailure(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   unsigned long error, const std::wstring& file) {
  Warn(prompter, owner, title, FailureText(what, error, file));
}

void ReportOutcome(Prompter& prompter, HWND owner, const std::wstring& title, const std::wstring& what,
                   const FileOutcome& outcome, const std::wstring& file) {
  std::wstring folder = FolderOf(file);
  Warn(prompter, owner, title, OutcomeText(what, outcome, file) + ProtectedFolderAdvice(folder, outcome.error, title));
}

}  // namespace jj
