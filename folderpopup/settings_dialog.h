// The folder popup's settings dialog, "ファイル フォルダ ポップアップメニュー設定 (Vossel)":
// what a menu taller than the screen does, which drives and head entries the
// folder menus show, and the registered folders. openFolderPopupSettings in
// folder_popup.h shows it.
#pragma once

#include <windows.h>

namespace tv {

// The dialog, modal to owner. Returns false when it is already open.
bool folderSettingsDialog(HWND owner);

}  // namespace tv
