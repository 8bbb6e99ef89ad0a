// Looks at a built program from the outside, as a player's Windows would:
//
//   jjprobe resources <program.exe> <version>
//       the version information (numbers and texts) and the manifest that
//       the program file carries, which the system must accept;
//   jjprobe imports <program.exe>
//       prints every function the program imports, one "<dll> <function>" a
//       line, those loaded at their first call ("delayed") as well;
//   jjprobe start <program.exe> <title> <entries> <version>
//       starts the program, waits for its main window, checks its title and
//       the number of entries in its file list (read from the folder it lies
//       in), that the list is drawn by the common controls that its
//       manifest asks for (version 6, from the side-by-side store), opens its About box and reads the version there, then closes
//       both windows and waits for the program to end;
//   jjprobe launch-dialog <search text> [desktop]
//       in a running level browser (on the given desktop): types the search
//       text, selects the first level and presses the launch button, so that
//       the launch options dialog opens (for the screenshots).
//
// Prints what it found; exit code 0 when everything matched, 1 otherwise.
#include <windows.h>

#include <commctrl.h>
#include <delayimp.h>
#include <psapi.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Fail(const std::wstring& what) {
  std::fwprintf(stdout, L"FAIL: %ls\n", what.c_str());
  std::fflush(stdout);
  ++failures;
}

void Note(const std::wstring& what) {
  std::fwprintf(stdout, L"%ls\n", what.c_str());
  std::fflush(stdout);
}

std::wstring Text(HWND window) {
  wchar_t buffer[512] = {};
  // WM_GETTEXT is copied across processes by the system.
  SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring WithoutAccessKey(std::wstring caption) {
  std::wstring out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((s->pid == 0 || owner == s->pid) && IsWindowVisible(window)) s->found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND VisibleChild(HWND parent, const wchar_t* class_name) {
  for (HWND child : ChildrenOf(parent))
    if (IsWindowVisible(child) && ClassOf(child) == class_name) return child;
  return nullptr;
}

HWND ButtonStartingWith(HWND parent, const std::wstring& start) {
  for (HWND child : ChildrenOf(parent))
    if (ClassOf(child) == L"Button" && WithoutAccessKey(Text(child)).rfind(start, 0) == 0) return child;
  return nullptr;
}

// A click on a button as its window receives it.
void Press(HWND window, HWND button) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Waits up to `seconds` for a visible top-level window of the process (any
// process for pid 0) whose class is `class_name`; an empty class takes any
// window that is not a message box.
HWND WaitForWindow(DWORD pid, const std::wstring& class_name, int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    for (HWND window : TopWindowsOf(pid)) {
      std::wstring name = ClassOf(window);
      if (class_name.empty() ? name != L"#32770" : name == class_name) return window;
    }
    Sleep(100);
  }
  return nullptr;
}

// A message box the program shows instead of (or over) its window says why.
void ReportMessageBoxes(DWORD pid) {
  for (HWND window : TopWindowsOf(pid)) {
    if (ClassOf(window) != L"#32770") continue;
    std::wstring text = Text(window) + L": ";
    for (HWND child : ChildrenOf(window))
      if (ClassOf(child) == L"Static") text += Text(child) + L" ";
    Fail(L"the program shows a message box: " + text);
  }
}

int Resources(const std::wstring& exe, const std::wstring& version) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) {
    Fail(L"no version information in " + exe);
  } else {
    std::vector<char> block(size);
    GetFileVersionInfoW(exe.c_str(), 0, size, block.data());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) {
      Fail(L"no fixed version numbers in " + exe);
    } else {
      unsigned major = 0, minor = 0;
      swscanf(version.c_str(), L"%u.%u", &major, &minor);
      const DWORD numbers = static_cast<DWORD>(MAKELONG(minor, major));
      if (fixed->dwFileVersionMS != numbers || fixed->dwProductVersionMS != numbers)
        Fail(L"the version numbers of " + exe + L" are not " + version);
      if (fixed->dwFileType != VFT_APP) Fail(L"the version information of " + exe + L" does not say program");
    }
    for (const wchar_t* key : {L"FileVersion", L"ProductVersion"}) {
      wchar_t* value = nullptr;
      std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
      if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        Fail(std::wstring(L"no ") + key + L" text in " + exe);
      else if (value != version)
        Fail(std::wstring(key) + L" of " + exe + L" is \"" + value + L"\", not \"" + version + L"\"");
    }
  }

  HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  HRSRC found = image ? FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
  if (!found) {
    Fail(L"no manifest in " + exe);
  } else {
    const char* data = static_cast<const char*>(LockResource(LoadResource(image, found)));
    std::string manifest(data, SizeofResource(image, found));
    // The common controls of version 6; no request for more rights than the
    // user's; aware of each screen's DPI where the system can be (with the
    // older way for Windows 10 1607 and the oldest for 8.1), of the system's
    // on 7 and 8; long paths; and every Windows from 7 on named as supported.
    for (const char* part : {"Microsoft.Windows.Common-Controls", "<requestedExecutionLevel level=\"asInvoker\"",
                             ">PerMonitorV2, PerMonitor</dpiAwareness>", ">true/pm</dpiAware>", "longPathAware",
                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
      if (manifest.find(part) == std::string::npos)
        Fail(L"the manifest of " + exe + L" lacks " + std::wstring(part, part + strlen(part)));
  }
  if (image) FreeLibrary(image);
  // A manifest the system cannot read stops the program before it starts.
  ACTCTXW context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = exe.c_str();
  context.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE activation = CreateActCtxW(&context);
  if (activation == INVALID_HANDLE_VALUE)
    Fail(L"the system refuses the manifest of " + exe + L", error " + std::to_wstring(GetLastError()));
  else
    ReleaseActCtx(activation);
  return failures ? 1 : 0;
}

// A program file's bytes, read through its section table by relative address.
class Image {
 public:
  explicit Image(const std::wstring& path) {
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
      char buffer[65536];
      for (size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes_.insert(bytes_.end(), buffer, buffer + n);
      fclose(f);
    }
    auto* dos = At<IMAGE_DOS_HEADER>(0);
    size_t at = dos && dos->e_magic == IMAGE_DOS_SIGNATURE ? static_cast<ULONG>(dos->e_lfanew) : bytes_.size();
    nt_ = At<IMAGE_NT_HEADERS64>(at);
    if (!nt_ || nt_->Signature != IMAGE_NT_SIGNATURE || nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
      nt_ = nullptr;
      return;
    }
    at += offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt_->FileHeader.SizeOfOptionalHeader;
    count_ = nt_->FileHeader.NumberOfSections;
    sections_ = at + count_ * sizeof(IMAGE_SECTION_HEADER) <= bytes_.size()
                    ? reinterpret_cast<const IMAGE_SECTION_HEADER*>(bytes_.data() + at)
                    : nullptr;
    if (!sections_) count_ = 0;
  }
  bool ok() const { return nt_ && sections_; }
  const IMAGE_DATA_DIRECTORY& Directory(int which) const { return nt_->OptionalHeader.DataDirectory[which]; }
  // The file offset of a relative address, or 0 where no section's data holds it.
  size_t Offset(DWORD rva) const {
    for (int i = 0; i < count_; ++i) {
      const IMAGE_SECTION_HEADER& s = sections_[i];
      if (rva >= s.VirtualAddress && rva - s.VirtualAddress < s.SizeOfRawData)
        return s.PointerToRawData + (rva - s.VirtualAddress);
    }
    return 0;
  }
  // Whether a relative address lies in one of the sections.
  bool Holds(DWORD rva) const {
    for (int i = 0; i < count_; ++i)
      if (rva >= sections_[i].VirtualAddress && rva - sections_[i].VirtualAddress < sections_[i].Misc.VirtualSize)
        return true;
    return false;
  }
  template <typename T>
  const T* At(size_t offset) const {
    return offset <= bytes_.size() && sizeof(T) <= bytes_.size() - offset
               ? reinterpret_cast<const T*>(bytes_.data() + offset)
               : nullptr;
  }
  template <typename T>
  const T* AtRva(DWORD rva) const {
    size_t offset = Offset(rva);
    return offset ? At<T>(offset) : nullptr;
  }
  // The name at a relative address: printable and ended by a zero within 256
  // bytes; empty when there is none.
  std::string Name(DWORD rva) const {
    size_t offset = Offset(rva);
    for (size_t i = offset; offset && i < bytes_.size() && i - offset < 256; ++i) {
      if (!bytes_[i]) return std::string(bytes_.data() + offset, i - offset);
      if (bytes_[i] < 0x20 || bytes_[i] > 0x7E) break;
    }
    return "";
  }
  // The functions of a name table (64-bit thunks up to a zero), as
  // "<dll> <function>" lines; false when it is not one.
  bool Functions(DWORD rva, const std::string& dll, const char* how, std::vector<std::string>* out) const {
    std::vector<std::string> found;
    for (DWORD at = rva;; at += 8) {
      const ULONGLONG* thunk = AtRva<ULONGLONG>(at);
      if (!thunk) return false;
      if (!*thunk) break;
      std::string function = IMAGE_SNAP_BY_ORDINAL64(*thunk) ? "#" + std::to_string(IMAGE_ORDINAL64(*thunk))
                                                             : Name(static_cast<DWORD>(*thunk) + 2);
      if (function.empty()) return false;
      found.push_back(dll + " " + function + how);
    }
    out->insert(out->end(), found.begin(), found.end());
    return true;
  }
  size_t size() const { return bytes_.size(); }

 private:
  std::vector<char> bytes_;
  const IMAGE_NT_HEADERS64* nt_ = nullptr;
  const IMAGE_SECTION_HEADER* sections_ = nullptr;
  int count_ = 0;
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

int Imports(const std::wstring& exe) {
  Image image(exe);
  if (!image.ok()) {
    Fail(L"not a 64-bit program file: " + exe);
    return 1;
  }
  std::vector<std::string> lines;
  const IMAGE_DATA_DIRECTORY& imports = image.Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
  for (DWORD at = imports.VirtualAddress; imports.VirtualAddress; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    const auto* d = image.AtRva<IMAGE_IMPORT_DESCRIPTOR>(at);
    if (!d || !d->Name) break;
    std::string dll = Lower(image.Name(d->Name));
    if (dll.empty() || !image.Functions(d->OriginalFirstThunk ? d->OriginalFirstThunk : d->FirstThunk, dll, "", &lines))
      Fail(L"an import table of " + exe + L" cannot be read");
  }
  // The delayed imports' descriptors: where the linker left the directory
  // entry for them empty, they are found by their form, each a set of
  // relative addresses (the DLL's name, its handle, its address and name
  // tables) that all lead to what they should.
  const IMAGE_DATA_DIRECTORY& delayed = image.Directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT);
  std::vector<size_t> candidates;
  if (delayed.VirtualAddress) {
    candidates.push_back(image.Offset(delayed.VirtualAddress));
  } else {
    for (size_t offset = 4; offset + 32 <= image.size(); offset += 4) candidates.push_back(offset);
  }
  std::set<size_t> seen;
  for (size_t offset : candidates) {
    for (; seen.insert(offset).second; offset += 32) {
      const auto* d = image.At<ImgDelayDescr>(offset);
      if (!d || d->grAttrs != dlattrRva || !image.Holds(d->rvaHmod) || !image.Holds(d->rvaIAT)) break;
      std::string dll = Lower(image.Name(d->rvaDLLName));
      if (!dll.ends_with(".dll") || !image.Functions(d->rvaINT, dll, " delayed", &lines)) break;
    }
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  return failures ? 1 : 0;
}

// The file of the common controls that a process has loaded, in lower case
// (empty when it has none).
std::wstring CommonControlsOf(HANDLE process) {
  HMODULE modules[1024];
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return L"";
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
    std::wstring file(path, n);
    for (wchar_t& c : file) c = static_cast<wchar_t>(towlower(c));
    if (file.ends_with(L"\\comctl32.dll")) return file;
  }
  return L"";
}

int Start(const std::wstring& exe, const std::wstring& title, int entries, const std::wstring& version) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    Fail(L"could not start " + exe + L", error " + std::to_wstring(GetLastError()));
    return 1;
  }
  CloseHandle(pi.hThread);
  DWORD pid = pi.dwProcessId;

  HWND main = WaitForWindow(pid, L"", 30);
  if (!main) {
    Fail(L"no main window of " + exe + L" within 30 seconds");
  } else {
    Note(L"main window \"" + Text(main) + L"\"");
    if (Text(main) != title) Fail(L"the main window's title is not \"" + title + L"\"");
    // The list is read when the window first becomes active.
    HWND list = VisibleChild(main, WC_LISTVIEWW);
    int count = -1;
    for (int i = 0; list && i < 100; ++i) {
      count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      if (count == entries) break;
      Sleep(100);
    }
    Note(L"entries in the list: " + std::to_wstring(count));
    if (!list) Fail(L"the main window has no visible list");
    else if (count != entries) Fail(L"the list shows " + std::to_wstring(count) + L" entries, not " +
                                    std::to_wstring(entries));
    // The common controls are loaded at their first use, not with the
    // program: still the ones of the manifest.
    std::wstring controls = CommonControlsOf(pi.hProcess);
    Note(L"common controls: " + controls);
    if (controls.find(L"common-controls") == std::wstring::npos)
      Fail(L"the list is not drawn by the common controls of the manifest (version 6) but by \"" + controls + L"\"");

    HWND about_button = ButtonStartingWith(main, L"About");
    if (!about_button) {
      Fail(L"the main window has no About button");
    } else {
      Press(main, about_button);
      HWND about = WaitForWindow(pid, L"JJ2frmAbout", 10);
      if (!about) {
        Fail(L"the About box did not open");
      } else {
        const std::wstring expected = std::wstring(L"Version ").append(version);
        std::wstring shown;
        for (HWND child : ChildrenOf(about)) {
          std::wstring text = Text(child);
          if (text.starts_with(L"Version ")) shown = text;
        }
        Note(L"About box: \"" + shown + L"\"");
        if (shown != expected)
          Fail(L"the About box shows \"" + shown + L"\", the program file says version " + version);
        PostMessageW(about, WM_CLOSE, 0, 0);
        for (int i = 0; i < 50 && IsWindow(about); ++i) Sleep(100);
      }
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
  }
  ReportMessageBoxes(pid);
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
    Fail(L"the program did not end after its window was closed");
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hProcess);
  return failures ? 1 : 0;
}

int LaunchDialog(const std::wstring& search, const std::wstring& desktop) {
  // A program shown inside a desktop of its own (a virtual screen) has its
  // windows there; this thread must look at that desktop to see them.
  if (!desktop.empty()) {
    HDESK handle = nullptr;
    for (int i = 0; !handle && i < 300; ++i) {  // it may not be made yet
      handle = OpenDesktopW(desktop.c_str(), 0, FALSE, GENERIC_ALL);
      if (!handle) Sleep(100);
    }
    if (!handle || !SetThreadDesktop(handle)) {
      Fail(L"could not switch to the desktop \"" + desktop + L"\", error " + std::to_wstring(GetLastError()));
      return 1;
    }
  }
  HWND main = WaitForWindow(0, L"JJ2LevelBrowser", 30);
  if (!main) {
    Fail(L"no level browser window within 30 seconds");
    return 1;
  }
  HWND edit = VisibleChild(main, L"Edit");
  HWND list = VisibleChild(main, WC_LISTVIEWW);
  HWND launch = ButtonStartingWith(main, L"Launch");
  if (!edit || !list || !launch) {
    Fail(L"the level browser lacks its search box, list or launch button");
    return 1;
  }
  // The pointer out of the way, so that no control under it is drawn hot.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(search.c_str()));
  // Home in the list selects its first entry, as the key does.
  PostMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  PostMessageW(list, WM_KEYUP, VK_HOME, 0);
  Sleep(500);
  Press(main, launch);
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  if (!WaitForWindow(pid, L"JJ2frmLaunch", 10)) {
    Fail(L"the launch options dialog did not open");
    ReportMessageBoxes(pid);
  }
  return failures ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"resources" && argc == 4) return Resources(argv[2], argv[3]);
  if (command == L"imports" && argc == 3) return Imports(argv[2]);
  if (command == L"start" && argc == 6) return Start(argv[2], argv[3], _wtoi(argv[4]), argv[5]);
  if (command == L"launch-dialog" && (argc == 3 || argc == 4)) return LaunchDialog(argv[2], argc == 4 ? argv[3] : L"");
  std::fwprintf(stderr,
                L"usage: jjprobe resources <program.exe> <version>\n"
                L"       jjprobe imports <program.exe>\n"
                L"       jjprobe start <program.exe> <title> <entries> <version>\n"
                L"       jjprobe launch-dialog <search text> [desktop]\n");
  return 2;
}
