#include "folderpopup/settings_dialog.h"

#include <shellapi.h>

#include "folderpopup/shortcut_name.h"
#include "folderpopup/vossel_settings.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "widgets/dialog_data.h"

namespace tv {

namespace {

// The editor's menu and the folder menu's "設定" entry both open it; a second
// request while it is up is dropped.
bool dialogOpen = false;

const char addFolderTitle[] =
    "追加したいフォルダ(ショートカットファイルを作成します)\nトップメニューに追加されます・・・。";

void onSettingsInit(HWND dialog, const folderPopupSettings& settings) {
    CheckRadioButton(dialog, IDC_VSET_NEW_COLUMN, IDC_VSET_NOTHING, settings.ShowMode);
    forEachFlagControl([&](int id) {
        CheckDlgButton(dialog, id, isFlagControlChecked(settings.ShowDrives, id) ? BST_CHECKED : BST_UNCHECKED);
    });
    SetForegroundWindow(dialog);
}

// The FOLDERS directory in the shell, where registrations are renamed,
// arranged in subfolders or deleted.
void openFoldersDirectory() {
    ShellExecuteA(nullptr, nullptr, foldersDirectory().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void onAddFolder(HWND dialog) {
    if (browseForFolder(dialog, addFolderTitle, nullptr, nullptr) == 1) openFoldersDirectory();
}

void onSettingsOk(HWND dialog, folderPopupSettings& settings) {
    for (int id : {IDC_VSET_NEW_COLUMN, IDC_VSET_CONTINUATION, IDC_VSET_NOTHING}) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            settings.ShowMode = id;
            break;
        }
    }
    settings.ShowDrives =
        flagWordFromControls([&](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; });
    EndDialog(dialog, IDOK);
}

void onSettingsCommand(HWND dialog, folderPopupSettings& settings, int id) {
    switch (id) {
    case IDC_VSET_NEW_COLUMN:
    case IDC_VSET_CONTINUATION:
    case IDC_VSET_NOTHING: CheckRadioButton(dialog, IDC_VSET_NEW_COLUMN, IDC_VSET_NOTHING, id); break;
    case IDC_VSET_ADD_FOLDER: onAddFolder(dialog); break;
    case IDC_VSET_OPEN_FOLDERS: openFoldersDirectory(); break;
    case IDOK: onSettingsOk(dialog, settings); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK settingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    folderPopupSettings* settings = dialogData<folderPopupSettings>(dialog, message, lParam);
    if (!settings) return FALSE;
    switch (message) {
    case WM_INITDIALOG: onSettingsInit(dialog, *settings); return TRUE;
    case WM_COMMAND: onSettingsCommand(dialog, *settings, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool showFolderSettingsDialog(HWND owner, folderPopupSettings& settings) {
    if (dialogOpen) return false;
    dialogOpen = true;
    INT_PTR result = DialogBoxParamW(app().instance, MAKEINTRESOURCEW(IDD_FOLDER_SETTINGS), owner, settingsProc,
                                     reinterpret_cast<LPARAM>(&settings));
    dialogOpen = false;
    return result == IDOK;
}

}  // namespace tv
