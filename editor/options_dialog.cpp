#include "editor/options_dialog.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/setting_ranges.h"
#include "res/resource.h"

namespace tv {

namespace {

// In ShowMenuPosMode order.
const char* const menuPositions[] = {
    "マウスカーソル上", "キャレット上/ウインドウの内側", "画面左上隅", "画面左下隅",
    "画面右上隅",       "画面右下隅",                    "ウインドウの内側",
};

void onOptionsInit(HWND dialog) {
    const settings& config = app().config;
    for (const char* position : menuPositions)
        SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(position));
    SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_SETCURSEL, config.ShowMenuPosMode, 0);
    SetDlgItemInt(dialog, IDC_OPT_CORNER_TICKS, static_cast<UINT>(config.ShowAutoPopup), FALSE);
    SetDlgItemInt(dialog, IDC_OPT_MENU_WIDTH, static_cast<UINT>(config.iMaxViewSize), FALSE);
    CheckDlgButton(dialog, IDC_OPT_NO_TRAY, app().noTray ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_OPT_OLD_DATE, config.bUseOldDateTime ? BST_CHECKED : BST_UNCHECKED);
}

void onOptionsOk(HWND dialog) {
    settings& config = app().config;
    LRESULT position = SendDlgItemMessageA(dialog, IDC_OPT_POSITION, CB_GETCURSEL, 0, 0);
    if (position != CB_ERR) config.ShowMenuPosMode = static_cast<int>(position);
    config.ShowAutoPopup =
        fieldSetting(dialog, IDC_OPT_CORNER_TICKS, config.ShowAutoPopup, settingRanges::ShowAutoPopup);
    config.iMaxViewSize = fieldSetting(dialog, IDC_OPT_MENU_WIDTH, config.iMaxViewSize, settingRanges::iMaxViewSize);
    app().noTray = IsDlgButtonChecked(dialog, IDC_OPT_NO_TRAY) == BST_CHECKED;
    config.bUseOldDateTime = IsDlgButtonChecked(dialog, IDC_OPT_OLD_DATE) == BST_CHECKED;
    // Out of the tray the program is the tile on the screen.
    showMainWindowAsTile(app().noTray);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK optionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: onOptionsInit(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) onOptionsOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void optionsDialog(HWND owner) {
    DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_OPTIONS), owner, optionsProc, 0);
}

}  // namespace tv
