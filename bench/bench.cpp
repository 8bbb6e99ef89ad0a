// The benchmark: what the lists cost beside merely enumerating the same
// folder. For game folders of 1,000, 10,000 and 100,000 files (made once
// per size in a temporary folder: episode and level names and other files)
// it times, best of several repetitions each (the keystroke and the pick
// also with their median), interleaved so that all see the same conditions:
//   - bare enumeration: FindFirstFileExW/FindNextFileW over the folder,
//     doing nothing else (the baseline);
//   - the listing's own read of the folder: its entries read through the
//     folder's handle in batches and sorted (jj::FolderListing that keeps
//     nothing);
//   - on an unchanged folder: the episode re-read list by list (a
//     jj::FileListBox with "*.j2e;*.J2E;*.jxe", then a jj::FileList with
//     "*.j2e;*.J2E") and in one pass (FileListBox::Refresh(FileList&)), a
//     search keystroke in the level window (WM_SETTEXT on levels::frmGlavni's
//     Text1, to the refilled list) and a pick in Quenby's list (a selection
//     in episodes::frmGlavni's File1, which re-reads the active list);
//   - after a change (a level turned hidden or back, untimed, before each):
//     the search keystroke, the pick and the episode re-read in one pass;
//   - Halvick's start, from the process start to its first painted list
//     (the program idle after its first messages), on the folder and on an
//     empty one, and its working set then.
// Each figure is printed beside the baseline as a ratio. Not a test: it
// asserts nothing and ctest does not run it (tools/bench.sh does).
//
// Usage: jjbench                 makes its own folders of the three sizes
//        jjbench FOLDER...       measures folders made beforehand
// Under Wine, tools/bench.sh makes the folders on the Linux side: Wine looks
// every new name up in the whole folder (names are case-insensitive), so
// making 100,000 files through the Windows API takes most of an hour there.
// The folders hold empty files named as kForms below, in that order.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "episodes/quenbywindow.h"
#include "levels/browserwindow.h"
#include "files/filelist.h"
#include "files/folderlisting.h"
#include "ui/filelistbox.h"
#include "files/paths.h"
#include "ui/prompter.h"
#include "ui/starter.h"
#include "ui/window.h"

namespace {

// Mostly episodes and levels, in mixed letter case, and some other files:
// file i is named by form i % 10 with the number i / 10 + 1 (tools/bench.sh
// makes the same names).
const wchar_t* const kForms[] = {
    L"episode %d.j2e", L"EPISODE%d.J2E", L"old episode %d.jxe", L"Castle %d.j2l", L"level%d.j2l",
    L"MAP%d.J2L",      L"battle %d.j2l", L"sound%d.wav",        L"readme %d.txt", L"Tiles%d.j2t",
};

// A game folder: one of `count` empty files made here and removed when the
// object goes, or one made beforehand, which is left as it is.
class GameFolder {
 public:
  explicit GameFolder(std::wstring path) : path_(std::move(path)), owned_(false) {}
  explicit GameFolder(int count) : owned_(true) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"jjbench-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(count);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) Fail(L"cannot make the folder " + path_);
    constexpr int kFormCount = sizeof kForms / sizeof kForms[0];
    wchar_t name[64];
    for (int i = 0; i < count; ++i) {
      swprintf(name, 64, kForms[i % kFormCount], i / kFormCount + 1);
      std::wstring path = jj::Exact(jj::InFolder(path_, name));
      HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) Fail(L"cannot make the file " + path);
      CloseHandle(file);
    }
  }
  ~GameFolder() {
    if (!owned_) return;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(jj::Exact(jj::InFolder(path_, L"*")).c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
          DeleteFileW(jj::Exact(jj::InFolder(path_, data.cFileName)).c_str());
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
  }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;
  const std::wstring& path() const { return path_; }

  [[noreturn]] static void Fail(const std::wstring& what) {
    fwprintf(stderr, L"jjbench: %ls (error %lu)\n", what.c_str(), GetLastError());
    std::exit(1);
  }

 private:
  std::wstring path_;
  bool owned_;
};

// The baseline: enumerate every entry, nothing else. Returns the entry count,
// so that the loop cannot be left out.
std::size_t BareEnumeration(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(jj::Exact(jj::InFolder(folder, L"*")).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return 0;
  std::size_t n = 0;
  do ++n;
  while (FindNextFileW(find, &data));
  FindClose(find);
  return n;
}

double Milliseconds(const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// A hidden top-level window holding an owner-data list view like the
// programs' file lists; it answers the list's notifications as they do.
class ListHost {
 public:
  ListHost() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"JJBenchHost";
    RegisterClassW(&wc);
    host_ = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                            wc.hInstance, this);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", WS_CHILD | jj::kFileListStyle, 8, 8, 300, 280,
                            host_, reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
    if (!host_ || !list_) GameFolder::Fail(L"cannot make the list view");
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 280;
    ListView_InsertColumn(list_, 0, &column);
    box_.Attach(list_);
    SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~ListHost() { DestroyWindow(host_); }
  jj::FileListBox& box() { return box_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ListHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NOTIFY && self) {
      LRESULT result = 0;
      bool picked = false;
      if (self->box_.OnNotify(reinterpret_cast<const NMHDR*>(lp), &result, &picked)) return result;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  HWND host_ = nullptr, list_ = nullptr;
  jj::FileListBox box_;
};

// Quenby's window, activated by hand.
class EpisodeWindow : public episodes::frmGlavni {
 public:
  using frmGlavni::frmGlavni;
  void Activate() { Form_Activate(); }
};

// The level window with a launch action that is never used here.
class LevelWindow : public levels::frmGlavni {
 public:
  using frmGlavni::frmGlavni;

 protected:
  void Launch(const std::wstring&) override {}
};

// Answers every box with OK and counts them: a re-read that fails shows one.
class CountingPrompter : public jj::Prompter {
 public:
  jj::Answer Show(HWND, const std::wstring&, const std::wstring&, jj::Icon, jj::Buttons) override {
    ++shown;
    return jj::Answer::Ok;
  }
  int shown = 0;
};

class IdleStarter : public jj::Starter {
 public:
  unsigned long Start(const jj::StartRequest&) override { return 0; }
  void Open(HWND, const std::wstring&, const std::wstring&) override {}
};

// One start of Halvick from a game folder: from the process start to its
// first painted list (the program is idle once its first messages, the
// paint of the filled list among them, are handled), and its working set then.
struct Start {
  double ms = 0;
  double megabytes = 0;
  int listed = -1;
};

// The main window of a process: the first visible top-level window.
BOOL CALLBACK FindMain(HWND hwnd, LPARAM lp) {
  auto* want = reinterpret_cast<std::pair<DWORD, HWND>*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != want->first || !IsWindowVisible(hwnd)) return TRUE;
  want->second = hwnd;
  return FALSE;
}

// The program `exe` in `folder` started there.
Start StartIn(const std::wstring& folder, const std::wstring& exe, const std::wstring& arguments) {
  std::wstring line = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  Start start;
  auto begin = std::chrono::steady_clock::now();
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    GameFolder::Fail(L"cannot start " + exe);
  // A program without a window of its own at start (the empty window one is
  // a console program) is idle at once: wait for its window, then for idle.
  std::pair<DWORD, HWND> main{pi.dwProcessId, nullptr};
  for (int i = 0; i < 120000 && !main.second; ++i) {
    WaitForInputIdle(pi.hProcess, 120000);
    EnumWindows(FindMain, reinterpret_cast<LPARAM>(&main));
    if (!main.second) Sleep(1);
  }
  WaitForInputIdle(pi.hProcess, 120000);
  start.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory)) start.megabytes = memory.WorkingSetSize / 1048576.0;
  if (main.second) {
    if (HWND list = GetDlgItem(main.second, levels::frmGlavni::IDC_File1)) start.listed = ListView_GetItemCount(list);
    PostMessageW(main.second, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return start;
}

// Best of `times` starts of `program` copied into the folder as `name`: the
// shortest time, the smallest working set. The copy is made once, some time
// before the first start, as a player's copy would be: the program finds a
// folder that is not changing.
Start BestStart(const std::wstring& folder, const std::wstring& program, int times,
                const std::wstring& name = L"Halvick.exe", const std::wstring& arguments = L"") {
  std::wstring exe = jj::InFolder(folder, name);
  if (!CopyFileW(program.c_str(), exe.c_str(), FALSE)) GameFolder::Fail(L"cannot copy " + name + L" to " + folder);
  Sleep(500);
  Start best{1e300, 1e300, -1};
  for (int i = 0; i < times; ++i) {
    Start s = StartIn(folder, exe, arguments);
    best.ms = std::min(best.ms, s.ms);
    best.megabytes = std::min(best.megabytes, s.megabytes);
    best.listed = s.listed;
  }
  DeleteFileW(exe.c_str());
  return best;
}

// The times of one figure's repetitions: the best, and the median, which is
// what a user meets more often than not.
struct Best {
  double ms = 1e300;
  std::vector<double> all;
  void Take(double t) {
    ms = std::min(ms, t);
    all.push_back(t);
  }
  double Median() {
    std::sort(all.begin(), all.end());
    return all.empty() ? 0 : all.size() % 2 ? all[all.size() / 2] : (all[all.size() / 2 - 1] + all[all.size() / 2]) / 2;
  }
};

void Line(const char* what, int files, double ms, double bare) {
  std::printf("%s, %d files: %.2f ms, bare enumeration %.2f ms, ratio %.2f\n", what, files, ms, bare, ms / bare);
  std::fflush(stdout);
}

// The same with the median beside the best (for what a user waits for at each key or click).
void Line(const char* what, int files, Best& times, double bare) {
  std::printf("%s, %d files: %.2f ms (median %.2f ms), bare enumeration %.2f ms, ratio %.2f\n", what, files,
              times.ms, times.Median(), bare, times.ms / bare);
  std::fflush(stdout);
}

void Run(const GameFolder& folder, const std::wstring& halvick) {
  // Every entry but "." and "..": the folders hold files only.
  const int files = static_cast<int>(BareEnumeration(folder.path())) - 2;
  if (files <= 0) GameFolder::Fail(L"no files in " + folder.path());
  const int repetitions = files >= 100000 ? 5 : files >= 10000 ? 9 : 21;

  ListHost host;
  // The one listing of the game folder, as a program makes it.
  auto listing = std::make_shared<jj::FolderListing>(folder.path());
  jj::FileListBox& episodes = host.box();
  episodes.Model().SetListing(listing);
  episodes.Model().SetPattern(L"*.j2e;*.J2E;*.jxe");
  jj::FileList active;
  active.SetListing(listing);
  active.SetPattern(L"*.j2e;*.J2E");

  CountingPrompter prompter;
  IdleStarter starter;
  LevelWindow levels({L"Halvick", L"Launch &Jazz2", L"HlpHalvick.qxh", L""}, listing, prompter, starter);
  levels.Form_Activate();
  HWND search = levels.Item(LevelWindow::IDC_Text1);
  const char* search_what = "search keystroke (level window)";
  EpisodeWindow quenby(listing, prompter, starter);
  quenby.Activate();

  // One untimed round first: the folder's entries come into the caches.
  BareEnumeration(folder.path());

  jj::FolderListing unkept(folder.path(), false);
  unsigned long error = 0;
  Best bare, read, episode, one_pass, keystroke, pick, changed_keystroke, changed_pick, changed_reread;
  // Each keystroke changes the pattern, as typing does ("e", then "le":
  // both match most levels).
  auto key = [&](int r) {
    const wchar_t* text = r % 2 ? L"le" : L"e";
    return Milliseconds([&] { SendMessageW(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); });
  };
  // A pick in Quenby's list: of the first entry, or of the second when the first is selected.
  auto pick_one = [&] {
    int other = quenby.File1().SelectedIndex() == 0 ? 1 : 0;
    return Milliseconds([&] { quenby.File1().Select(other); });
  };
  for (int r = 0; r < repetitions; ++r) {
    bare.Take(Milliseconds([&] { BareEnumeration(folder.path()); }));
    read.Take(Milliseconds([&] { unkept.Read(&error); }));
    episode.Take(Milliseconds([&] {
      episodes.Refresh();
      active.Refresh();
    }));
    one_pass.Take(Milliseconds([&] { episodes.Refresh(active); }));
    keystroke.Take(key(r));
    pick.Take(pick_one());
  }

  // Re-reads after a change: a level turned hidden or back (untimed) before
  // each, so that the folder is enumerated again.
  std::wstring changed = jj::Exact(jj::InFolder(folder.path(), L"Castle 1.j2l"));
  DWORD attributes = GetFileAttributesW(changed.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) GameFolder::Fail(L"no file " + changed);
  auto change = [&](int r) {
    SetFileAttributesW(changed.c_str(), r % 2 ? attributes : attributes | FILE_ATTRIBUTE_HIDDEN);
  };
  const int change_repetitions = files >= 100000 ? 5 : files >= 10000 ? 7 : 11;
  for (int r = 0; r < change_repetitions; ++r) {
    bare.Take(Milliseconds([&] { BareEnumeration(folder.path()); }));
    change(2 * r);
    changed_keystroke.Take(key(r));
    change(2 * r + 1);
    changed_reread.Take(Milliseconds([&] { episodes.Refresh(active); }));
    change(2 * r);
    changed_pick.Take(pick_one());
    change(2 * r + 1);
  }
  SetFileAttributesW(changed.c_str(), attributes);
  if (prompter.shown) GameFolder::Fail(L"the level window reported a failure");
  std::size_t listed_episodes = episodes.Model().Count();
  if (error) GameFolder::Fail(L"the listing could not read " + folder.path());
  std::printf("(%d files: %zu episodes listed, %zu active)\n", files, listed_episodes, active.Count());
  Line("listing read (enumeration and sort)", files, read.ms, bare.ms);
  Line("episode re-read, unchanged folder", files, episode.ms, bare.ms);
  Line("episode re-read in one pass, unchanged folder", files, one_pass.ms, bare.ms);
  Line((std::string(search_what) + ", unchanged folder").c_str(), files, keystroke, bare.ms);
  Line("pick in Quenby's list, unchanged folder", files, pick, bare.ms);
  Line((std::string(search_what) + " after a change").c_str(), files, changed_keystroke, bare.ms);
  Line("pick in Quenby's list after a change", files, changed_pick, bare.ms);
  Line("episode re-read in one pass after a change", files, changed_reread.ms, bare.ms);

  if (halvick.empty()) return;
  // Halvick's start on this folder and on an empty one; beside it the start
  // of a program that shows an empty window and reads no folder (this
  // benchmark itself), to tell the system's share of a start in a big folder.
  static std::wstring self = [] {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path;
  }();
  static Start empty = [&] {
    GameFolder none(0);
    return BestStart(none.path(), halvick, 9);
  }();
  static Start empty_window = [&] {
    GameFolder none(0);
    return BestStart(none.path(), self, 5, L"window.exe", L"--window");
  }();
  // A start varies by tens of milliseconds on a busy machine: at the
  // smaller sizes that is most of the difference measured, so more tries
  // there, and on the empty folder that every size is measured against.
  const int starts = files >= 100000 ? 3 : 9;
  Start full = BestStart(folder.path(), halvick, starts);
  Start window = BestStart(folder.path(), self, starts, L"window.exe", L"--window");
  std::printf("start to first paint (Halvick), %d files: %.2f ms (%d levels listed), empty folder %.2f ms, "
              "bare enumeration %.2f ms, ratio (start - empty) / bare %.2f\n",
              files, full.ms, full.listed, empty.ms, bare.ms, (full.ms - empty.ms) / bare.ms);
  std::printf("start of an empty window program, %d files: %.2f ms, empty folder %.2f ms; Halvick's start less "
              "that difference: ratio %.2f\n",
              files, window.ms, empty_window.ms,
              (full.ms - empty.ms - (window.ms - empty_window.ms)) / bare.ms);
  std::printf("working set (Halvick), %d files: %.1f MB, empty folder %.1f MB, %.1f MB more\n", files,
              full.megabytes, empty.megabytes, full.megabytes - empty.megabytes);
  std::fflush(stdout);
}

}  // namespace

// "--window": an empty window until it is closed (for the start figures).
int EmptyWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"JJBenchWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, L"window", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  if (argc == 2 && std::wstring(argv[1]) == L"--window") return EmptyWindow();
  // Halvick.exe of the same build (bin\ beside bench\), for its start.
  std::wstring halvick = jj::InFolder(jj::ExeFolder(), L"..\\bin\\Halvick.exe");
  if (GetFileAttributesW(halvick.c_str()) == INVALID_FILE_ATTRIBUTES) halvick.clear();
  if (argc > 1) {
    for (int i = 1; i < argc; ++i) Run(GameFolder(argv[i]), halvick);
  } else {
    for (int files : {1000, 10000, 100000}) Run(GameFolder(files), halvick);
  }
  return 0;
}
