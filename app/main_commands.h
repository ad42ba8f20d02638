// The main window's WM_COMMAND dispatch: its own commands (res/resource.h),
// folder popup commands, and everything else as an item of the menu.
#pragma once

#include <windows.h>

namespace tv {

// `placementMode` is the high word of wParam (used by the show-menu command).
LRESULT handleCommand(UINT id, LPARAM lParam, bool invokedFromMenu, WORD placementMode = 0);

}  // namespace tv
