// "./Vossel.ini" (section MENU), the FOLDERS directory of registered folder
// shortcuts, and the shell's folder browser. openFolderPopupSettings (in
// folder_popup.h) is here too: it reads the file, shows the settings dialog and
// writes back what the dialog hands over.
#pragma once

#include <windows.h>

#include <string>

#include "folderpopup/folder_settings.h"

namespace tv {

// Reads ShowMode and ShowDrives; a missing file or key, or a ShowMode no
// button stands for, gives the defaults.
folderPopupSettings readFolderPopupSettings();
// Writes ShowMode first, then ShowDrives as a signed number; false when either
// could not be written.
bool writeFolderPopupSettings(const folderPopupSettings& settings);

// The FOLDERS directory, fixed at start-up by initFolderPopup (no trailing
// backslash). Empty before then.
const std::string& foldersDirectory();

// Shows the shell's folder browser. Returns 1 when a folder was chosen, 2 when
// cancelled. With path and displayName, they receive the chosen folder's
// file-system path and display name; when both are null, the chosen folder is
// registered as a shortcut in FOLDERS instead.
int browseForFolder(HWND owner, const char* title, std::string* path, std::string* displayName);

}  // namespace tv
