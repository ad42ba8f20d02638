#include "shell/wine_compat.h"

#include <windows.h>

#include "shell/app_state.h"
#include "shell/tray.h"

namespace tv {

bool runningUnderWine() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

void showKeyboardAnchor() {
    HWND window = app().mainWindow;
    if (!runningUnderWine() || !window || IsWindowVisible(window)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    SetWindowPos(window, HWND_TOPMOST, cursor.x, cursor.y, 1, 1, SWP_SHOWWINDOW);
}

void hideKeyboardAnchor() {
    if (!runningUnderWine()) return;
    // The tile stays when there is no tray icon; it only gets its size back.
    showMainWindowAsTile(!app().trayAdded);
}

}  // namespace tv
