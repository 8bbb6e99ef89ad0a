#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "ui/accesskeys.h"
#include "ui/window.h"

namespace test {

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = L"\\\\?\\" + folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(folder + L"\\" + name);
      else
        DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

}  // namespace

namespace {

constexpr char kSentinel[] = "sentinel: must never change";

void WriteSentinel(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a sentinel file");
  DWORD written = 0;
  WriteFile(h, kSentinel, sizeof kSentinel - 1, &written, nullptr);
  CloseHandle(h);
}

}  // namespace

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    outer_ = std::wstring(base) + L"jjtest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    if (CreateDirectoryW(outer_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp folder");
  }
  std::wstring box = outer_ + L"\\in";
  path_ = box + L"\\game";
  if (!CreateDirectoryW(box.c_str(), nullptr) || !CreateDirectoryW(path_.c_str(), nullptr))
    throw std::runtime_error("cannot create temp folder");
  for (const std::wstring& s : Sentinels()) WriteSentinel(s);
}

std::vector<std::wstring> TempFolder::Sentinels() const {
  return {outer_ + L"\\above.sentinel", outer_ + L"\\in\\beside.sentinel"};
}

bool TempFolder::SentinelsIntact() const {
  for (const std::wstring& s : Sentinels()) {
    HANDLE h = CreateFileW((L"\\\\?\\" + s).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char buffer[128];
    DWORD got = 0;
    bool same = ReadFile(h, buffer, sizeof buffer, &got, nullptr) && std::string(buffer, got) == kSentinel;
    CloseHandle(h);
    if (!same) return false;
  }
  return true;
}

TempFolder::~TempFolder() {
  if (!SentinelsIntact()) ADD_FAILURE() << "a sentinel file beside or above the test folder changed";
  RemoveTree(outer_);
}

void TempFolder::Touch(const std::wstring& name, std::size_t size) const {
  HANDLE h = CreateFileW((L"\\\\?\\" + (*this / name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + Narrow(name));
  if (size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
  }
  CloseHandle(h);
}

void TempFolder::TouchWith(const std::wstring& name, DWORD attributes) const {
  Touch(name);
  SetFileAttributesW((L"\\\\?\\" + (*this / name)).c_str(), attributes);
}

bool TempFolder::Exists(const std::wstring& name) const {
  return GetFileAttributesW((L"\\\\?\\" + (*this / name)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> TempFolder::Names() const {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((L"\\\\?\\" + path_ + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

jj::Answer ScriptedPrompter::Show(HWND owner, const std::wstring& text, const std::wstring& title,
                                  jj::Icon icon, jj::Buttons buttons) {
  shown.push_back({text, title, icon, buttons, owner});
  if (!answers.empty()) {
    jj::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == jj::Buttons::YesNo ? jj::Answer::Yes : jj::Answer::Ok;
}

void InstallStandin(const TempFolder& dir, const std::wstring& name) {
  wchar_t self[MAX_PATH];
  std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  std::wstring standin = exe.substr(0, exe.find_last_of(L'\\') + 1) + TEXT(JJ_STANDIN_EXE);
  if (!CopyFileW(standin.c_str(), (dir / name).c_str(), FALSE))
    throw std::runtime_error("cannot copy the stand-in program");
}

namespace {

std::wstring Widen(const std::string& bytes) {
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::vector<Started> ReadStarts(const std::wstring& path) {
  std::vector<Started> starts;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return starts;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(h);
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = bytes.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(Widen(bytes.substr(start, nl - start)));
  for (std::size_t i = 0; i + 2 < lines.size(); i += 3)
    starts.push_back({lines[i], lines[i + 1], std::stoi(lines[i + 2])});
  return starts;
}

}  // namespace

std::vector<Started> WaitForStarts(const TempFolder& dir, const std::wstring& name, std::size_t count) {
  std::wstring record = dir / (name.substr(0, name.size() - 4) + L".started.txt");
  std::vector<Started> starts;
  for (int i = 0; i < 200; ++i) {
    starts = ReadStarts(record);
    if (starts.size() >= count) break;
    Sleep(50);
  }
  return starts;
}

std::wstring Text(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND WaitForWindowOf(DWORD pid, const wchar_t* cls) {
  struct Wanted {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } wanted{pid, cls, nullptr};
  auto match = [](HWND hwnd, LPARAM lp) -> BOOL {
    auto* w = reinterpret_cast<Wanted*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != w->pid) return TRUE;
    wchar_t name[64] = L"";
    GetClassNameW(hwnd, name, 64);
    if (w->cls ? std::wstring(name) != w->cls : !IsWindowVisible(hwnd)) return TRUE;
    w->found = hwnd;
    return FALSE;
  };
  for (int i = 0; i < 400 && !wanted.found; ++i) {
    EnumWindows(match, reinterpret_cast<LPARAM>(&wanted));
    if (!wanted.found) Sleep(25);
  }
  return wanted.found;
}

void PressKey(WORD vk, bool alt) {
  HWND focus = GetFocus();
  if (alt) {
    wchar_t ch = static_cast<wchar_t>(vk >= 'A' && vk <= 'Z' ? vk - 'A' + 'a' : vk);
    PostMessageW(focus, WM_SYSCHAR, ch, (1 << 29) | 1);
  } else {
    PostMessageW(focus, WM_KEYDOWN, vk, 1);
    PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
  }
  Pump();
}

void TypeChars(HWND control, const std::wstring& keys) {
  for (wchar_t c : keys) {
    PostMessageW(control, WM_CHAR, c, 1);
    Pump();
  }
}

// Handles every message already queued, as the programs' message loop would,
// three times over (what one message posts is handled too).
void Pump() {
  for (int i = 0; i < 3; ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      if (jj::DialogMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void SetLocalWriteTime(const std::wstring& path, const SYSTEMTIME& local) {
  SYSTEMTIME utc;
  FILETIME ft;
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &ft));
  HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
}

std::string Narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring BinFolder() {
  wchar_t self[MAX_PATH];
  std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  std::wstring tests = exe.substr(0, exe.find_last_of(L'\\'));
  return tests.substr(0, tests.find_last_of(L'\\')) + L"\\bin";
}

}  // namespace test
