#include "shell/tray.h"

#include <shellapi.h>

#include "res/resource.h"
#include "shell/app_state.h"

namespace tv {

namespace {

NOTIFYICONDATAA trayRecord(UINT flags, HICON icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes: what every shell understands
    record.hWnd = app().mainWindow;
    record.uID = 1;
    record.uFlags = flags;
    record.uCallbackMessage = WMU_TRAY_CALLBACK;
    record.hIcon = icon;
    lstrcpynA(record.szTip, "Tolvane２", sizeof record.szTip);
    return record;
}

}  // namespace

bool addTrayIcon(HICON icon) {
    app().taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!app().taskbar || !IsWindow(app().taskbar) || app().noTray) return false;
    NOTIFYICONDATAA record = trayRecord(NIF_MESSAGE | NIF_ICON | NIF_TIP, icon);
    return Shell_NotifyIconA(NIM_ADD, &record) != 0;
}

void deleteTrayIcon() {
    NOTIFYICONDATAA record = trayRecord(0, nullptr);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

void showTrayBalloon(const char* title, const char* text) {
    if (!app().trayAdded) return;
    NOTIFYICONDATAA record = trayRecord(NIF_INFO, nullptr);
    record.cbSize = NOTIFYICONDATAA_V2_SIZE;  // the first size that carries a balloon
    lstrcpynA(record.szInfoTitle, title, sizeof record.szInfoTitle);
    lstrcpynA(record.szInfo, text, sizeof record.szInfo);
    record.dwInfoFlags = NIIF_INFO;
    record.uTimeout = 15000;
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

void setTrayIcon(HICON icon) {
    if (app().noTray || !IsWindow(app().taskbar)) {
        HDC dc = GetDC(app().mainWindow);
        DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_IMAGE);
        ReleaseDC(app().mainWindow, dc);
        return;
    }
    NOTIFYICONDATAA record = trayRecord(NIF_ICON, icon);
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

void showMainWindowAsTile(bool show) {
    HWND window = app().mainWindow;
    if (!window) return;
    if (!show) {
        ShowWindow(window, SW_HIDE);
        return;
    }
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 16, 16, SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void showTileOrHide() { showMainWindowAsTile(!app().trayAdded); }

void watchTray() {
    if (IsWindow(app().taskbar) && app().trayAdded) return;
    app().trayAdded = addTrayIcon(app().appIcon16);
    showTileOrHide();
}

}  // namespace tv
