// "オプション": where a shortcut-key menu appears, the corner dwell, the menu's
// width, the tile instead of the tray icon, the old date format and starting
// with Windows.
#pragma once

#include <windows.h>

namespace tv {

// What the dialog shows, and after OK what the user chose. A field that holds
// no number keeps its value; a number beyond the key's range is its nearest
// bound, as the next start would read it.
struct optionsDialogData {
    int ShowMenuPosMode = 0;
    int ShowAutoPopup = 1;
    int iMaxViewSize = 200;
    bool noTray = false;
    bool bUseOldDateTime = false;
    bool startWithWindows = false;  // our shortcut is in the Startup folder
};

// Modal. True on OK, with `data` holding the choices.
bool showOptionsDialog(HWND owner, optionsDialogData& data);

}  // namespace tv
