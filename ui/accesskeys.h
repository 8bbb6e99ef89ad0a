// Keyboard handling of the dialog manager for our windows, with access keys
// that two controls share.
#pragma once
#include <windows.h>

namespace jj {

// Passes a message to the dialog manager of the active window; true when it
// was taken there.
bool DialogMessage(MSG& msg);

}  // namespace jj
