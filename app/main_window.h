// The hidden main window: it owns the hotkeys, the tray icon, the clipboard-viewer
// membership, the timers and the popup menu, and dispatches the program's commands.
#pragma once

#include <windows.h>

namespace tv {

bool registerMainWindowClass();
HWND createMainWindow();

}  // namespace tv
