#include "widgets/select_all_key.h"

namespace tv {

namespace {

bool isOneLineEdit(HWND window) {
    char className[32] = "";
    if (!GetClassNameA(window, className, sizeof className) || lstrcmpiA(className, "Edit") != 0) return false;
    return (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) == 0;
}

// Ctrl alone: Ctrl+Alt+A may be a character of the keyboard layout (AltGr),
// and Ctrl+Shift+A is no select-all in any text field.
bool onlyControlHeld() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

}  // namespace

bool selectAllOnCtrlA(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != 'A' || !onlyControlHeld() || !isOneLineEdit(message.hwnd))
        return false;
    SendMessageA(message.hwnd, EM_SETSEL, 0, -1);
    return true;
}

}  // namespace tv
