// Which program a window belongs to, for the lists of programs in tv2.ini.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// The full path of the program that made `window`, in code page 932; empty
// when it cannot be read (the window is gone, or the process refuses).
std::string programPathOf(HWND window);

}  // namespace tv
