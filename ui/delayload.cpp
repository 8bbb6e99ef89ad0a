// Loads the system's window, drawing and common control DLLs at the first
// call into each, instead of with the program. The loader looks for every
// DLL a program imports in the program's own folder first, which is the game
// folder: with many files in it, each such look costs a reading of the whole
// folder on some systems. Loaded here, by the time of the first call, the
// DLL comes from the system folder only (the common controls still through
// the program's manifest), also where the system cannot narrow its search.
#include <windows.h>

#include <delayimp.h>

#include "ui/system.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

template <typename T>
T At(RVA rva) {
  return reinterpret_cast<T>(reinterpret_cast<BYTE*>(&__ImageBase) + rva);
}

}  // namespace

// Called by the import stubs of a delayed DLL on the first call of each of
// its functions: loads the DLL once, finds the function, and puts it into the
// import slot so that later calls go straight to it.
extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descr, FARPROC* slot) {
  HMODULE* module = At<HMODULE*>(descr->rvaHmod);
  auto* iat = At<FARPROC*>(descr->rvaIAT);
  auto* names = At<PIMAGE_THUNK_DATA>(descr->rvaINT);
  const char* dll = At<const char*>(descr->rvaDLLName);
  HMODULE loaded = *module;
  if (!loaded) {
    wchar_t name[64] = L"";  // the system's DLL names are short and plain ASCII
    for (int i = 0; dll[i] && i < 63; ++i) name[i] = static_cast<unsigned char>(dll[i]);
    loaded = jj::LoadSystemDll(name);
    if (!loaded) {
      // One of the system's own DLLs is missing: nothing can go on.
      ULONG_PTR what = reinterpret_cast<ULONG_PTR>(dll);
      RaiseException(VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND), 0, 1, &what);
      return nullptr;
    }
    HMODULE before = reinterpret_cast<HMODULE>(
        InterlockedCompareExchangePointer(reinterpret_cast<PVOID*>(module), loaded, nullptr));
    if (before) {
      FreeLibrary(loaded);  // another thread was first
      loaded = before;
    }
  }
  const IMAGE_THUNK_DATA& entry = names[slot - iat];
  FARPROC proc = IMAGE_SNAP_BY_ORDINAL(entry.u1.Ordinal)
                     ? GetProcAddress(loaded, MAKEINTRESOURCEA(IMAGE_ORDINAL(entry.u1.Ordinal)))
                     : GetProcAddress(loaded, At<PIMAGE_IMPORT_BY_NAME>(static_cast<RVA>(entry.u1.AddressOfData))->Name);
  if (!proc) {
    ULONG_PTR what = reinterpret_cast<ULONG_PTR>(dll);
    RaiseException(VcppException(ERROR_SEVERITY_ERROR, ERROR_PROC_NOT_FOUND), 0, 1, &what);
    return nullptr;
  }
  *slot = proc;
  return proc;
}
