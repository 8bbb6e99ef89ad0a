// The window icons of the running program, from its resources.
#pragma once
#include <windows.h>

namespace jj {

// At the given DPI; null where the program has none (tests).
HICON ProgramIcon(UINT dpi);
HICON SmallIcon(UINT dpi);

}  // namespace jj
