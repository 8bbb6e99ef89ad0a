#include "ui/icons.h"

#include "ui/resources.h"
#include "ui/system.h"

namespace jj {

namespace {

HICON LoadIconAt(int id, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                       size, size, LR_SHARED));
}

}  // namespace

HICON ProgramIcon(UINT dpi) { return LoadIconAt(IDI_APP, ScaleToDpi(32, dpi)); }
HICON SmallIcon(UINT dpi) { return LoadIconAt(IDI_SMALL, ScaleToDpi(16, dpi)); }

}  // namespace jj
