#include "shell/first_run_hint.h"

#include <windows.h>
#include <string>

#include "files/menu_file.h"
#include "shell/app_state.h"
#include "shell/key_name.h"
#include "shell/settings.h"
#include "shell/tray.h"

namespace tv {

namespace {

std::string hintText() {
    const menuItem* root = app().model.root.item.get();
    if (!root || root->vk == 0)
        return "メニューはこのアイコンの右クリックで開きます．\r\n"
               "ダブルクリックで設定画面が開き，メニューを開くキーも決められます．";
    return keyName(root->vk, root->extKey) +
           " でメニューが開きます．\r\n"
           "このアイコンをダブルクリックすると設定画面が開きます．";
}

}  // namespace

bool isFirstStart() {
    const std::string dataFile = dataFilePath(app().startDirectory, app().dataFileName);
    return GetFileAttributesA(settingsFileName) == INVALID_FILE_ATTRIBUTES &&
           GetFileAttributesA(dataFile.c_str()) == INVALID_FILE_ATTRIBUTES;
}

void showFirstRunHint() { showTrayBalloon("Tolvane を起動しました", hintText().c_str()); }

}  // namespace tv
