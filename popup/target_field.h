// What kind of control the target's focus is, where that changes how text goes in.
#pragma once

#include <windows.h>

namespace tv {

// An edit control that holds one line (a combo box's edit included): a paste
// keeps only its first line there.
bool isOneLineField(HWND control);

}  // namespace tv
