// The benchmark: how much a list re-read costs beside merely enumerating the
// same folder. For game folders of 1,000, 10,000 and 100,000 files (made once
// per size in a temporary folder: episode and level names and other files)
// it times, best of several repetitions each, interleaved so that all three
// see the same conditions:
//   - bare enumeration: FindFirstFileExW/FindNextFileW over the folder,
//     doing nothing else (the baseline);
//   - episode re-read: what the episode window does on activation, a
//     jj::FileListBox re-read over an owner-data list view with the pattern
//     list "*.j2e;*.J2E;*.jxe" plus a jj::FileList re-read with "*.j2e;*.J2E";
//   - the same re-read in one pass over the folder for both lists
//     (jj::FileListBox::Refresh(FileList&), for the episode window to take up);
//   - search keystroke: from the text change in the level window's search
//     box to the refilled list (WM_SETTEXT on levels::frmGlavni's Text1), or,
//     in a build without the level window, a jj::FileListBox re-read with
//     "*a*.j2l;*A*.J2L".
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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "filelist.h"
#include "filelistbox.h"
#include "paths.h"
#include "window.h"

#ifdef JJ_BENCH_LEVELS
#include "frmglavni.h"
#include "prompter.h"
#include "starter.h"
#endif

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

#ifdef JJ_BENCH_LEVELS
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
#endif

struct Best {
  double ms = 1e300;
  void Take(double t) { ms = std::min(ms, t); }
};

void Line(const char* what, int files, double ms, double bare) {
  std::printf("%s, %d files: %.2f ms, bare enumeration %.2f ms, ratio %.2f\n", what, files, ms, bare, ms / bare);
  std::fflush(stdout);
}

void Run(const GameFolder& folder) {
  // Every entry but "." and "..": the folders hold files only.
  const int files = static_cast<int>(BareEnumeration(folder.path())) - 2;
  if (files <= 0) GameFolder::Fail(L"no files in " + folder.path());
  const int repetitions = files >= 100000 ? 5 : files >= 10000 ? 9 : 21;

  ListHost host;
  jj::FileListBox& episodes = host.box();
  episodes.Model().SetFolder(folder.path());
  episodes.Model().SetPattern(L"*.j2e;*.J2E;*.jxe");
  jj::FileList active;
  active.SetFolder(folder.path());
  active.SetPattern(L"*.j2e;*.J2E");

#ifdef JJ_BENCH_LEVELS
  CountingPrompter prompter;
  IdleStarter starter;
  LevelWindow levels({L"Halvick", L"Launch &Jazz2", L"HlpHalvick.qxh", L""}, folder.path(), prompter, starter);
  levels.Form_Activate();
  HWND search = levels.Item(LevelWindow::IDC_Text1);
  const char* search_what = "search keystroke (level window)";
#else
  ListHost level_host;
  jj::FileListBox& level_list = level_host.box();
  level_list.Model().SetFolder(folder.path());
  level_list.Model().SetPattern(L"*a*.j2l;*A*.J2L");
  const char* search_what = "search keystroke (list re-read)";
#endif

  // One untimed round first: the folder's entries come into the caches.
  BareEnumeration(folder.path());

  Best bare, episode, one_pass, keystroke;
  for (int r = 0; r < repetitions; ++r) {
    bare.Take(Milliseconds([&] { BareEnumeration(folder.path()); }));
    episode.Take(Milliseconds([&] {
      episodes.Refresh();
      active.Refresh();
    }));
    one_pass.Take(Milliseconds([&] { episodes.Refresh(active); }));
#ifdef JJ_BENCH_LEVELS
    // Each keystroke changes the text ("a", then "A": the same levels).
    const wchar_t* text = r % 2 ? L"A" : L"a";
    keystroke.Take(Milliseconds([&] { SendMessageW(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }));
#else
    keystroke.Take(Milliseconds([&] { level_list.Refresh(); }));
#endif
  }
#ifdef JJ_BENCH_LEVELS
  if (prompter.shown) GameFolder::Fail(L"the level window reported a failure");
#endif
  std::size_t listed_episodes = episodes.Model().Count();
  std::printf("(%d files: %zu episodes listed, %zu active)\n", files, listed_episodes, active.Count());
  Line("episode re-read", files, episode.ms, bare.ms);
  Line("episode re-read in one pass", files, one_pass.ms, bare.ms);
  Line(search_what, files, keystroke.ms, bare.ms);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  if (argc > 1) {
    for (int i = 1; i < argc; ++i) Run(GameFolder(argv[i]));
  } else {
    for (int files : {1000, 10000, 100000}) Run(GameFolder(files));
  }
  return 0;
}
