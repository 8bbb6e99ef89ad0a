// The system's DLLs, where the system can narrow its DLL search and where it
// cannot (Windows 7 without update): always from the system folder, the
// common controls of the programs' manifest from the side-by-side store. A
// program of its own: under Wine a DLL of the system, once loaded from
// either place, is what every later load of its name gives.
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "tests/support/support.h"
#include "ui/system.h"

namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::wstring FileOf(HMODULE module) {
  wchar_t path[MAX_PATH] = L"";
  return Lower(std::wstring(path, GetModuleFileNameW(module, path, MAX_PATH)));
}

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = L"";
  return Lower(std::wstring(path, GetSystemDirectoryW(path, MAX_PATH))) + L"\\";
}

// The activation context of a built program's manifest, active while this lives.
class ProgramManifest {
 public:
  explicit ProgramManifest(const std::wstring& exe) {
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    context_ = CreateActCtxW(&context);
    if (context_ != INVALID_HANDLE_VALUE) ActivateActCtx(context_, &cookie_);
  }
  ~ProgramManifest() {
    if (context_ == INVALID_HANDLE_VALUE) return;
    DeactivateActCtx(0, cookie_);
    ReleaseActCtx(context_);
  }
  bool active() const { return context_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

}  // namespace

TEST(SystemDlls, FromTheSystemFolderAndTheCommonControlsOfTheManifestWithOrWithoutTheNarrowedSearch) {
  ProgramManifest manifest(test::BinFolder() + L"\\Halvick.exe");
  ASSERT_TRUE(manifest.active()) << "error " << GetLastError();
  for (bool windows7 : {true, false}) {  // the fallback first, on a fresh process
    SCOPED_TRACE(windows7 ? "as on Windows 7 without the update" : "with the narrowed search");
    jj::PretendWindows7(windows7);
    for (const wchar_t* name : {L"version.dll", L"shell32.dll"}) {
      HMODULE dll = jj::LoadSystemDll(name);
      ASSERT_NE(dll, nullptr) << test::Narrow(name) << ", error " << GetLastError();
      EXPECT_EQ(FileOf(dll), SystemFolder() + name);
    }
    // By its full path it would be the system folder's copy, of the older
    // version, without the look the manifest asks for.
    HMODULE controls = jj::LoadSystemDll(L"comctl32.dll");
    ASSERT_NE(controls, nullptr);
    EXPECT_NE(FileOf(controls).find(L"common-controls"), std::wstring::npos) << test::Narrow(FileOf(controls));
    EXPECT_EQ(jj::LoadSystemDll(L"no such system library.dll"), nullptr);
  }
  jj::PretendWindows7(false);
}
