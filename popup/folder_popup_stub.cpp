// Placeholder until the folder popup is written: it plugs in here, and the menu already calls it.
#include "folderpopup/folder_popup.h"

#include "app/app_state.h"
#include "app/messages.h"

namespace tv {

void initFolderPopup() {}

void openFolderPopup(HMENU, const char*) {}

LRESULT folderMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void releaseFolderPopup() {}

void executeFolderCommand(UINT) {}

void openFolderPopupSettings() { reportNotAvailableYet(app().editorWindow, "フォルダポップアップ設定"); }

}  // namespace tv
