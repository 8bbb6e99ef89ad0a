#include "tests/support/fixtures.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "files/paths.h"
#include "ui/window.h"

namespace test {

namespace {

std::wstring Widen(const char* bytes) {
  int n = MultiByteToWideChar(CP_UTF8, 0, bytes, -1, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes, -1, out.data(), n);
  out.resize(out.size() - 1);
  return out;
}

// Wine's own exports: the Unix path of a Windows path and back; null elsewhere.
std::wstring UnixPath(const std::wstring& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
  if (!to_unix) return {};
  char* unix_path = to_unix(path.c_str());
  if (!unix_path) return {};
  std::wstring out = Widen(unix_path);
  HeapFree(GetProcessHeap(), 0, unix_path);
  return out;
}

std::wstring DosPath(const char* unix_path) {
  using ToDos = wchar_t*(CDECL*)(const char*);
  auto to_dos = reinterpret_cast<ToDos>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name"));
  if (!to_dos) return {};
  wchar_t* dos = to_dos(unix_path);
  if (!dos) return {};
  std::wstring out = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return out;
}

// Starts a Linux program from Wine. Its end cannot be waited for from here:
// callers poll for its effect.
bool RunUnix(const char* program, const std::wstring& arguments) {
  std::wstring exe = DosPath(program);
  if (exe.empty() || GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::wstring line = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  // Wine gives no process handle for a Linux program and leaves the thread
  // handle undefined: closing it could close one of ours.
  if (pi.hProcess) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  return true;
}

template <class Done>
bool WaitFor(Done done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    Sleep(25);
  }
  return false;
}

}  // namespace

void Write(const test::TempFolder& dir, const std::wstring& name, const std::string& bytes) {
  HANDLE h = CreateFileW(jj::Exact(dir / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + test::Narrow(name));
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
}

std::string Read(const std::wstring& path) {
  HANDLE h = CreateFileW(jj::Exact(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "(missing)";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

bool MakeLink(const std::wstring& link, const std::wstring& target) {
  auto exists = [&] { return GetFileAttributesW(jj::Exact(link).c_str()) != INVALID_FILE_ATTRIBUTES; };
  std::wstring unix_link = UnixPath(link), unix_target = UnixPath(target);
  if (!unix_link.empty() && !unix_target.empty()) {
    return RunUnix("/bin/ln", L"-s \"" + unix_target + L"\" \"" + unix_link + L"\"") && WaitFor(exists);
  }
  return CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) && exists();
}

bool RenameFromLinux(const std::wstring& folder, const std::wstring& from, const std::wstring& to) {
  // The new name is put after the folder's path as it is: looked up on its
  // own it could be taken for the file of the old name.
  std::wstring unix_from = UnixPath(jj::InFolder(folder, from)), unix_folder = UnixPath(folder);
  if (unix_from.empty() || unix_folder.empty()) return false;
  std::wstring unix_to = unix_folder + L"/" + to;
  auto shows = [&] {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(jj::Exact(jj::InFolder(folder, to)).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return to == data.cFileName;
  };
  return RunUnix("/bin/mv", L"\"" + unix_from + L"\" \"" + unix_to + L"\"") && WaitFor(shows);
}

bool LinkSweeper::Make(const std::wstring& link, const std::wstring& target) {
  links_.push_back(link);
  return MakeLink(link, target);
}

LinkSweeper::~LinkSweeper() {
  for (const std::wstring& link : links_) {
    std::wstring unix_link = UnixPath(link);
    if (unix_link.empty()) {
      DeleteFileW(jj::Exact(link).c_str());  // a Windows link: the link itself goes
      continue;
    }
    // Wine: a Unix link that still leads somewhere shows as a file.
    if (RunUnix("/bin/rm", L"-f \"" + unix_link + L"\""))
      WaitFor([&] { return GetFileAttributesW(jj::Exact(link).c_str()) == INVALID_FILE_ATTRIBUTES; });
  }
}

UnwritableFolder::UnwritableFolder(const std::wstring& folder) : folder_(folder) {
  SetFileAttributesW(jj::Exact(folder_).c_str(), FILE_ATTRIBUTE_READONLY);
  if (!Writable()) {
    ok_ = true;
    return;
  }
  // Root under Wine: the permission bits do not hold, the immutable flag does.
  // A marker beside the folder tells when chattr is done.
  std::wstring unix_folder = UnixPath(folder_), marker = folder_ + L".locked";
  std::wstring unix_marker = UnixPath(marker);
  if (unix_folder.empty() || unix_marker.empty()) return;
  if (RunUnix("/bin/sh", L"-c \"chattr +i '" + unix_folder + L"' && touch '" + unix_marker + L"'\"") &&
      WaitFor([&] { return GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
    immutable_ = true;
    ok_ = !Writable();
  }
}

UnwritableFolder::~UnwritableFolder() {
  if (immutable_) {
    std::wstring marker = folder_ + L".locked";
    RunUnix("/bin/sh", L"-c \"chattr -i '" + UnixPath(folder_) + L"' && rm -f '" + UnixPath(marker) + L"'\"");
    WaitFor([&] { return GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES; });
  }
  SetFileAttributesW(jj::Exact(folder_).c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool UnwritableFolder::Writable() const {
  std::wstring probe = jj::Exact(jj::InFolder(folder_, L"~probe.tmp"));
  // Writable when a file can be made there and removed again.
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  DeleteFileW(probe.c_str());
  return GetFileAttributesW(probe.c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<TempFolder> TempFolderIn(const std::wstring& parent) {
  wchar_t old[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"TMP", old, MAX_PATH);
  SetEnvironmentVariableW(L"TMP", parent.c_str());
  auto dir = std::make_unique<TempFolder>();
  SetEnvironmentVariableW(L"TMP", n ? old : nullptr);
  return dir;
}

SpacedFolder::SpacedFolder(const std::wstring& parent_name) {
  std::wstring parent = base_ / parent_name;
  CreateDirectoryW(parent.c_str(), nullptr);
  dir_ = TempFolderIn(parent);
}

void ExpectMainFrame(HWND h, const std::wstring& title, int client_width, int client_height) {
  EXPECT_EQ(Text(h), title);
  LONG style = GetWindowLongW(h, GWL_STYLE);
  EXPECT_TRUE((style & WS_MINIMIZEBOX) && (style & WS_SYSMENU) && (style & WS_CAPTION));
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  RECT client, frame;
  GetClientRect(h, &client);
  UINT dpi = GetDpiForWindow(h);
  EXPECT_EQ(client.right, jj::Twips(client_width, dpi));
  EXPECT_EQ(client.bottom, jj::Twips(client_height, dpi));
  GetWindowRect(h, &frame);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTOPRIMARY), &mi);
  EXPECT_NEAR(frame.left + frame.right, mi.rcWork.left + mi.rcWork.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, mi.rcWork.top + mi.rcWork.bottom, 1);
}

namespace {

// A control as the sheet check sees it.
struct Placed {
  HWND hwnd;
  RECT r;
  std::wstring text, cls;
  LONG style;
  bool Is(const wchar_t* kind) const { return _wcsicmp(cls.c_str(), kind) == 0; }
  bool Label() const { return Is(WC_STATICW) && (style & SS_TYPEMASK) == SS_LEFT && !(style & SS_NOPREFIX); }
  bool PushButton() const {
    return Is(WC_BUTTONW) && ((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
  }
  // The letter after a lone "&", upper-cased; 0 for none.
  wchar_t Key() const {
    if (Is(WC_STATICW) && (style & SS_NOPREFIX)) return 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != L'&') continue;
      if (text[i + 1] != L'&') return static_cast<wchar_t>(towupper(text[i + 1]));
      ++i;
    }
    return 0;
  }
  std::string Name() const { return "control " + std::to_string(GetDlgCtrlID(hwnd)) + " \"" + Narrow(text) + "\""; }
};

// Two controls overlap only where the second follows the first in tab order,
// stacked on it by `row` pixels at most.
void ExpectApart(const std::vector<Placed>& c, LONG row) {
  for (std::size_t i = 0; i < c.size(); ++i) {
    for (std::size_t j = i + 1; j < c.size(); ++j) {
      const RECT &a = c[i].r, &b = c[j].r;
      LONG across = std::min(a.right, b.right) - std::max(a.left, b.left);
      LONG down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
      if (across <= 0 || down <= 0) continue;
      EXPECT_TRUE(j == i + 1 && a.left == b.left && a.top < b.top && down <= row)
          << c[i].Name() << " overlaps " << c[j].Name() << " by " << down << " px";
    }
  }
}

// Each access key once, but those in `shared`; a label's leads to the next
// control, which takes the focus and lies right of the label or below it.
void ExpectKeysLead(const std::vector<Placed>& c, const std::wstring& shared, LONG row) {
  std::wstring keys;
  for (std::size_t i = 0; i < c.size(); ++i) {
    wchar_t key = c[i].Key();
    if (!key) continue;
    if (shared.find(key) == std::wstring::npos) {
      EXPECT_EQ(keys.find(key), std::wstring::npos) << c[i].Name() << ": its access key is taken";
    }
    keys += key;
    if (!c[i].Label()) continue;
    ASSERT_LT(i + 1, c.size()) << c[i].Name() << ": its access key leads nowhere";
    const Placed& box = c[i + 1];
    EXPECT_TRUE(GetWindowLongW(box.hwnd, GWL_STYLE) & WS_TABSTOP) << c[i].Name() << " leads to " << box.Name();
    EXPECT_TRUE(box.r.left >= c[i].r.right || box.r.top >= c[i].r.bottom - row) << c[i].Name() << ", " << box.Name();
  }
}

// The push buttons: one height; side by side, one top and one width; one
// above the other, one left or one right edge.
void ExpectButtonGrid(const std::vector<Placed>& c) {
  for (auto x = c.begin(); x != c.end(); ++x) {
    if (!x->PushButton()) continue;
    for (auto y = x + 1; y != c.end(); ++y) {
      if (!y->PushButton()) continue;
      const RECT &a = x->r, &b = y->r;
      EXPECT_EQ(b.bottom - b.top, a.bottom - a.top) << x->Name() << ", " << y->Name();
      if (a.top < b.bottom && b.top < a.bottom) {
        EXPECT_TRUE(a.top == b.top && a.right - a.left == b.right - b.left) << x->Name() << ", " << y->Name();
      } else if (a.left < b.right && b.left < a.right) {
        EXPECT_TRUE(a.left == b.left || a.right == b.right) << x->Name() << ", " << y->Name();
      }
    }
  }
}

}  // namespace

void ExpectSoundSheet(HWND window, const std::wstring& shared) {
  SCOPED_TRACE(Narrow(Text(window)) + " at " + std::to_string(GetDpiForWindow(window)) + " DPI");
  RECT client;
  GetClientRect(window, &client);
  std::vector<Placed> c;  // in tab order
  for (HWND h = GetWindow(window, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (!IsWindowVisible(h)) continue;
    Placed p{h, {}, Text(h), {}, GetWindowLongW(h, GWL_STYLE)};
    GetWindowRect(h, &p.r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&p.r), 2);
    wchar_t cls[64] = L"";
    GetClassNameW(h, cls, 64);
    p.cls = cls;
    EXPECT_TRUE(p.r.left >= 0 && p.r.top >= 0 && p.r.right <= client.right && p.r.bottom <= client.bottom)
        << p.Name();
    c.push_back(std::move(p));
  }
  // One pixel row at 96 DPI (15 twips), rounded either way.
  const LONG row = MulDiv(15, static_cast<int>(GetDpiForWindow(window)), 1440) + 1;
  ExpectApart(c, row);
  ExpectKeysLead(c, shared, row);
  ExpectButtonGrid(c);
}

void ClickItem(HWND list, int index) {
  RECT r;
  ListView_GetItemRect(list, index, &r, LVIR_LABEL);
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  test::Pump();
}

HeldOpen::HeldOpen(const std::wstring& path)
    : h_(CreateFileW(jj::Exact(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     0, nullptr)) {}

HeldOpen::~HeldOpen() {
  if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
}

namespace {

// The swapping loop: renames over the name are atomic, so the name is always
// either the plain file or the link. It ends by itself after five minutes at
// the latest, also if the test never says stop.
constexpr char kFlipScript[] = R"(
my ($name, $also, $target, $stage, $plain, $stop, $ready) = @ARGV;
my $end = time + 300;
my $n = 0;
while (! -e $stop && time < $end) {
  open(my $f, '>', "$stage/p") or last; print $f $plain; close $f;
  rename("$stage/p", $name);
  unlink($also) if -l $also;
  symlink($target, "$stage/l"); rename("$stage/l", $name);
  if (++$n == 1) { open(my $r, '>', $ready); close $r; }
}
unlink("$stage/p", "$stage/l");
unlink($name) if -l $name;
unlink($also) if -l $also;
open(my $d, '>', "$stop.done"); close $d;
)";

}  // namespace

Flipper::Flipper(const TempFolder& game, const std::wstring& name, const std::wstring& also, const std::wstring& target,
                 const TempFolder& stage, const std::string& plain) {
  Write(stage, L"flip.pl", kFlipScript);
  stop_ = stage / L"stop";
  std::wstring ready = stage / L"ready";
  std::wstring args;
  for (const std::wstring& path : {stage / L"flip.pl", game / name, game / also, target, stage.path()}) {
    std::wstring unix_path = UnixPath(path);
    if (unix_path.empty()) return;
    args += L" \"" + unix_path + L"\"";
  }
  std::wstring unix_stop = UnixPath(stop_), unix_ready = UnixPath(ready);
  if (unix_stop.empty() || unix_ready.empty()) return;
  std::wstring all = args + L" \"" + std::wstring(plain.begin(), plain.end()) + L"\" \"" + unix_stop + L"\" \"" +
                     unix_ready + L"\"";
  ok_ = RunUnix("/usr/bin/perl", all.substr(1)) &&
        WaitFor([&] { return GetFileAttributesW(ready.c_str()) != INVALID_FILE_ATTRIBUTES; });
}

Flipper::~Flipper() {
  if (stop_.empty()) return;
  HANDLE h = CreateFileW(stop_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (ok_) WaitFor([&] { return GetFileAttributesW((stop_ + L".done").c_str()) != INVALID_FILE_ATTRIBUTES; });
}

bool Shell(const TempFolder& dir, const std::wstring& script, int seconds) {
  static unsigned counter = 0;
  std::wstring done = dir.path() + L".shell" + std::to_wstring(++counter);
  std::wstring unix_dir = UnixPath(dir.path()), unix_done = UnixPath(done);
  if (unix_dir.empty() || unix_done.empty()) return false;
  // The script reaches sh as one argument: its double quotes are escaped.
  std::wstring body;
  for (wchar_t c : L"D='" + unix_dir + L"'; " + script + L"; touch '" + unix_done + L"'") {
    if (c == L'"') body += L'\\';
    body += c;
  }
  if (!RunUnix("/bin/sh", L"-c \"" + body + L"\"")) return false;
  bool ended = false;
  for (int i = 0; i < seconds * 40 && !ended; ++i) {
    ended = GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!ended) Sleep(25);
  }
  DeleteFileW(done.c_str());
  return ended;
}

}  // namespace test

namespace test {

MappedDrive::MappedDrive(const TempFolder& dir) : dir_(dir) {
  for (wchar_t letter = L'Q'; letter <= L'Y' && root_.empty(); ++letter) {
    root_ = {letter, L':', L'\\'};
    if (GetFileAttributesW(root_.c_str()) != INVALID_FILE_ATTRIBUTES) {
      root_.clear();  // taken
      continue;
    }
    defined_ = DefineDosDeviceW(0, root_.substr(0, 2).c_str(), dir.path().c_str());
    if (defined_ && Works()) return;
    if (defined_) DefineDosDeviceW(DDD_REMOVE_DEFINITION, root_.substr(0, 2).c_str(), nullptr);
    defined_ = false;
    if (Shell(dir, L"ln -sfn \"$D\" " + WineLink()) && Works()) return;
    Shell(dir, L"rm -f " + WineLink());
    root_.clear();
    return;
  }
}

MappedDrive::~MappedDrive() {
  if (root_.empty()) return;
  if (defined_) {
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, root_.substr(0, 2).c_str(), nullptr);
  } else {
    Shell(dir_, L"rm -f " + WineLink());
  }
}

// Wine's drive of that letter: a link in the prefix, named in lower case.
std::wstring MappedDrive::WineLink() const {
  return L"\"${WINEPREFIX:-$HOME/.wine}/dosdevices/" + std::wstring(1, static_cast<wchar_t>(root_[0] - L'A' + L'a')) + L":\"";
}

// A file made through the drive shows in the folder.
bool MappedDrive::Works() const {
  std::wstring mark = L"drive.mark";
  HANDLE h = CreateFileW((root_ + mark).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  bool shows = dir_.Exists(mark);
  DeleteFileW((root_ + mark).c_str());
  return shows;
}

}  // namespace test
