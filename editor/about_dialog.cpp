#include "editor/about_dialog.h"

#include <string>

#include "res/resource.h"
#include "shell/app_state.h"

namespace tv {

namespace {

void onAboutInit(HWND dialog) {
    char text[1024] = "";
    LoadStringA(app().instance, IDS_ABOUT_TEXT, text, sizeof text);
    SetDlgItemTextA(dialog, IDC_ABOUT_TEXT, text);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: onAboutInit(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void showAboutDialog(HWND owner) {
    DialogBoxParamW(app().instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, aboutProc, 0);
}

}  // namespace tv
