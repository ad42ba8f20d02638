// The main window's WM_COMMAND dispatch: its own commands (res/resource.h),
// folder popup commands, and everything else as an item of the menu.
#pragma once

#include <windows.h>

namespace tv {

// lParam of IDM_SHOW_WHOLE_MENU posted by the tray icon or the tile: the menu
// gets the tray's own entries below the user's. (A root key sends 1.)
constexpr LPARAM fromTrayIcon = 2;

// `placementMode` is the high word of wParam (used by the show-menu command).
LRESULT handleCommand(UINT id, LPARAM lParam, bool invokedFromMenu, WORD placementMode = 0);

}  // namespace tv
