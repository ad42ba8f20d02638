#include "editor/options_dialog.h"

#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/setting_ranges.h"
#include "widgets/dialog_data.h"

namespace tv {

namespace {

// In ShowMenuPosMode order.
const char* const menuPositions[] = {
    "マウスカーソル上", "キャレット上/ウインドウの内側", "画面左上隅", "画面左下隅",
    "画面右上隅",       "画面右下隅",                    "ウインドウの内側",
};

void onOptionsInit(HWND dialog, const optionsDialogData& data) {
    for (const char* position : menuPositions)
        SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(position));
    SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_SETCURSEL, data.ShowMenuPosMode, 0);
    SetDlgItemInt(dialog, IDC_OPT_CORNER_TICKS, static_cast<UINT>(data.ShowAutoPopup), FALSE);
    SetDlgItemInt(dialog, IDC_OPT_MENU_WIDTH, static_cast<UINT>(data.iMaxViewSize), FALSE);
    CheckDlgButton(dialog, IDC_OPT_NO_TRAY, data.noTray ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPT_OLD_DATE, data.bUseOldDateTime ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPT_START_WITH_WINDOWS, data.startWithWindows ? BST_CHECKED : BST_UNCHECKED);
}

void onOptionsOk(HWND dialog, optionsDialogData& data) {
    LRESULT position = SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_GETCURSEL, 0, 0);
    if (position != CB_ERR) data.ShowMenuPosMode = static_cast<int>(position);
    data.ShowAutoPopup = fieldSetting(dialog, IDC_OPT_CORNER_TICKS, data.ShowAutoPopup, settingRanges::ShowAutoPopup);
    data.iMaxViewSize = fieldSetting(dialog, IDC_OPT_MENU_WIDTH, data.iMaxViewSize, settingRanges::iMaxViewSize);
    data.noTray = IsDlgButtonChecked(dialog, IDC_OPT_NO_TRAY) == BST_CHECKED;
    data.bUseOldDateTime = IsDlgButtonChecked(dialog, IDC_OPT_OLD_DATE) == BST_CHECKED;
    data.startWithWindows = IsDlgButtonChecked(dialog, IDC_OPT_START_WITH_WINDOWS) == BST_CHECKED;
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK optionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    optionsDialogData* data = dialogData<optionsDialogData>(dialog, message, lParam);
    if (!data) return FALSE;
    switch (message) {
    case WM_INITDIALOG: onOptionsInit(dialog, *data); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) onOptionsOk(dialog, *data);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool showOptionsDialog(HWND owner, optionsDialogData& data) {
    return DialogBoxParamW(app().instance, MAKEINTRESOURCEW(IDD_OPTIONS), owner, optionsProc,
                           reinterpret_cast<LPARAM>(&data)) == IDOK;
}

}  // namespace tv
