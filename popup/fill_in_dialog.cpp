#include "popup/fill_in_dialog.h"

#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/window_text.h"
#include "widgets/dialog_data.h"

namespace tv {

namespace {

// The template holds only OK and キャンセル; each label gets a caption and a field
// below it, in dialog units, and the buttons move below the last field.
constexpr int margin = 7, rowHeight = 28, fieldWidth = 186, buttonWidth = 50, buttonHeight = 14;
constexpr int captionId = -1;  // the captions are never addressed

struct unitBox {
    int left, top, width, height;
};

RECT dialogUnits(HWND dialog, int left, int top, int width, int height) {
    RECT rect{left, top, left + width, top + height};
    MapDialogRect(dialog, &rect);
    return rect;
}

HWND addControl(HWND dialog, HWND after, const char* className, const char* text, DWORD style, DWORD extended,
                int id, const unitBox& box) {
    RECT rect = dialogUnits(dialog, box.left, box.top, box.width, box.height);
    HWND control = CreateWindowExA(extended, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app().instance, nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    // The fields come first in the Tab order, before the buttons of the template.
    SetWindowPos(control, after ? after : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return control;
}

void moveButton(HWND dialog, int id, int left, int top) {
    RECT rect = dialogUnits(dialog, left, top, buttonWidth, buttonHeight);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void onFillInInit(HWND dialog, const fillInDialogData& data) {
    HWND last = nullptr;
    int top = margin;
    for (size_t i = 0; i < data.labels.size(); ++i, top += rowHeight) {
        last = addControl(dialog, last, "STATIC", data.labels[i].c_str(), SS_NOPREFIX, 0, captionId,
                          unitBox{margin, top, fieldWidth, 8});
        last = addControl(dialog, last, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
                          IDC_FILL_IN_FIRST + static_cast<int>(i), unitBox{margin, top + 10, fieldWidth, 13});
    }
    moveButton(dialog, IDOK, margin + fieldWidth - 2 * buttonWidth - 5, top);
    moveButton(dialog, IDCANCEL, margin + fieldWidth - buttonWidth, top);
    RECT client = dialogUnits(dialog, 0, 0, fieldWidth + 2 * margin, top + buttonHeight + margin);
    RECT window = client;
    AdjustWindowRectEx(&window, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    RECT placed{};
    GetWindowRect(dialog, &placed);
    const int width = window.right - window.left, height = window.bottom - window.top;
    // Centred where the template's smaller frame was centred.
    SetWindowPos(dialog, nullptr, placed.left + (placed.right - placed.left - width) / 2,
                 placed.top + (placed.bottom - placed.top - height) / 2, width, height, SWP_NOZORDER);
    // Called up by a key typed in another program: the user answers at once.
    SetForegroundWindow(dialog);
    SetFocus(GetDlgItem(dialog, IDC_FILL_IN_FIRST));
}

void onFillInOk(HWND dialog, fillInDialogData& data) {
    data.answers.clear();
    for (size_t i = 0; i < data.labels.size(); ++i)
        data.answers.push_back(windowText(GetDlgItem(dialog, IDC_FILL_IN_FIRST + static_cast<int>(i))));
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK fillInProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    fillInDialogData* data = dialogData<fillInDialogData>(dialog, message, lParam);
    if (!data) return FALSE;
    switch (message) {
    case WM_INITDIALOG: onFillInInit(dialog, *data); return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) onFillInOk(dialog, *data);
        if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool showFillInDialog(HWND owner, fillInDialogData& data) {
    return DialogBoxParamA(app().instance, MAKEINTRESOURCEA(IDD_FILL_IN), owner, fillInProc,
                           reinterpret_cast<LPARAM>(&data)) == IDOK;
}

}  // namespace tv
