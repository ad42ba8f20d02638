// The folder popup's settings dialog, "ファイル フォルダ ポップアップメニュー設定 (Vossel)":
// what a menu taller than the screen does, which drives and head entries the
// folder menus show, and the registered folders. openFolderPopupSettings in
// folder_popup.h shows it and writes what it hands back.
#pragma once

#include <windows.h>

#include "folderpopup/folder_settings.h"

namespace tv {

// The dialog, modal to owner, showing `settings`. True on OK, with `settings`
// holding the choices; false on Cancel, and when the dialog is already open.
bool showFolderSettingsDialog(HWND owner, folderPopupSettings& settings);

}  // namespace tv
