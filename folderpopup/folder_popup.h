// The folder popup: submenus that browse folders, files and drives. The popup
// menu hands it the submenus of folderPopup items and every menu message about
// its own entries.
#pragma once

#include <windows.h>

#include "res/resource.h"

namespace tv {

// Command ids of folder popup entries; the main window passes these on to
// executeFolderCommand, the popup menu its measuring, drawing and selection.
inline bool isFolderCommand(UINT id) { return id >= IDM_FOLDER_FIRST && id <= IDM_FOLDER_LAST; }

// Start-up: COM for shell links and the folder of registered shortcuts.
void initFolderPopup();
// The submenu of a folderPopup item is about to open. folderPath is the item's
// data, or null for the list of drives and registered folders.
void openFolderPopup(HMENU submenu, const char* folderPath);
// Menu messages forwarded by the popup menu; unhandled ones go to DefWindowProcA.
LRESULT folderMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The main popup menu is being rebuilt, or the program ends.
void releaseFolderPopup();
// An entry of the folder popup was chosen.
void executeFolderCommand(UINT identifier);
// The folder popup's own settings dialog (its "設定" entry, IDM_VOSSEL_SETTINGS);
// OK writes "./Vossel.ini".
void openFolderPopupSettings();

}  // namespace tv
