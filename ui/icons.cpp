#include "ui/icons.h"

#include "ui/resources.h"

namespace jj {

namespace {

HICON LoadIconAt(int id, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       size, size, LR_SHARED));
}

}  // namespace

HICON ProgramIcon(UINT dpi) { return LoadIconAt(IDI_APP, MulDiv(32, static_cast<int>(dpi), 96)); }
HICON SmallIcon(UINT dpi) { return LoadIconAt(IDI_SMALL, MulDiv(16, static_cast<int>(dpi), 96)); }

}  // namespace jj
