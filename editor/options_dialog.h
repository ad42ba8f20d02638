// "オプション": where a shortcut-key menu appears, the corner dwell, the menu's
// width, the tile instead of the tray icon and the old date format.
#pragma once

#include <windows.h>

namespace tv {

// What the dialog shows, and after OK what the user chose. A field that holds
// no number keeps its value; any number is taken, zero and negative ones too.
struct optionsDialogData {
    int ShowMenuPosMode = 0;
    int ShowAutoPopup = 1;
    int iMaxViewSize = 200;
    bool noTray = false;
    bool bUseOldDateTime = false;
};

// Modal. True on OK, with `data` holding the choices.
bool showOptionsDialog(HWND owner, optionsDialogData& data);

}  // namespace tv
