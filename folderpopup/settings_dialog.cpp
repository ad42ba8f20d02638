#include "folderpopup/settings_dialog.h"

#include <shellapi.h>

#include "folderpopup/folder_popup.h"
#include "folderpopup/shortcut_name.h"
#include "folderpopup/vossel_settings.h"
#include "res/resource.h"
#include "shell/app_state.h"

namespace tv {

namespace {

// The editor's menu and the folder menu's "設定" entry both open it; a second
// request while it is up is dropped.
bool dialogOpen = false;

const char addFolderTitle[] =
    "追加したいフォルダ(ショートカットファイルを作成します)\nトップメニューに追加されます・・・。";

void onSettingsInit(HWND dialog) {
    folderPopupSettings settings = readFolderPopupSettings();
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

void onSettingsOk(HWND dialog) {
    folderPopupSettings settings = readFolderPopupSettings();
    for (int id : {IDC_VSET_NEW_COLUMN, IDC_VSET_CONTINUATION, IDC_VSET_NOTHING}) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            settings.ShowMode = id;
            break;
        }
    }
    settings.ShowDrives =
        flagWordFromControls([&](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; });
    writeFolderPopupSettings(settings);
    EndDialog(dialog, IDOK);
}

void onSettingsCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_VSET_NEW_COLUMN:
    case IDC_VSET_CONTINUATION:
    case IDC_VSET_NOTHING: CheckRadioButton(dialog, IDC_VSET_NEW_COLUMN, IDC_VSET_NOTHING, id); break;
    case IDC_VSET_ADD_FOLDER: onAddFolder(dialog); break;
    case IDC_VSET_OPEN_FOLDERS: openFoldersDirectory(); break;
    case IDOK: onSettingsOk(dialog); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK settingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: onSettingsInit(dialog); return TRUE;
    case WM_COMMAND: onSettingsCommand(dialog, LOWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool folderSettingsDialog(HWND owner) {
    if (dialogOpen) return false;
    dialogOpen = true;
    DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_FOLDER_SETTINGS), owner, settingsProc, 0);
    dialogOpen = false;
    return true;
}

void openFolderPopupSettings() { folderSettingsDialog(app().mainWindow); }

}  // namespace tv
