// The process-wide state of the resident program: its instance, main window,
// icons, settings and running menu. Each layer above keeps its own state (the
// popup's in popup/popup_state.h, the editor's in editor/settings_editor.h). One
// user-interface thread owns all of it; re-entrancy is guarded by flags, not locks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "model/menu_model.h"
#include "shell/settings.h"

namespace tv {

// Commands the main window handles itself (WM_COMMAND low word).
namespace mainCommand {
enum : UINT {
    showTrayMenu = 102,      // the whole menu at the pointer (tray right click)
    pasteKeystroke = 103,    // send Ctrl+V once Control is released
    addCapturedClip = 106,   // move a captured text into the history
    openEditor = 110,
    showMenu = 113,          // high word of wParam: placement mode; lParam: the menu
    nothing = 114,
    openHistoryEditor = 115,
    encloseCopy = 119,       // lParam: the enclose item's id
    encloseInsert = 120,     // lParam: the enclose item's id
    trackMenu = 133,         // posted by showMenu only
    vosselSettings = 31000,
};
}

namespace mainTimer {
enum : UINT_PTR {
    encloseFallback = 12,  // one-shot, 500 ms
    clipboardBack = 13,    // one-shot: give the user's clipboard back after an insertion
    trayWatch = 25,        // 10 s
    historySave = 50,      // 30 min
    cornerWatch = 100,     // 100 ms
};
}

constexpr UINT trayCallbackMessage = WM_USER + 142;
constexpr int privateHotkeyId = 11;  // Win+Shift+Backspace: lets us take the foreground

struct appState {
    std::string startDirectory;
    std::string dataFileName = "tv2_text.ini";
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HICON appIcon32 = nullptr;
    HICON appIcon16 = nullptr;
    HICON activeIcon = nullptr;
    HIMAGELIST imageList = nullptr;

    bool closing = false;

    HWND taskbar = nullptr;
    bool trayAdded = false;
    bool noTray = false;  // the tile instead of a tray icon (the options dialog's check box)

    settings config;
    fontRecord font;      // the editor's edit fields
    fontRecord menuFont;  // the popup menu entries

    menuModel model;  // model.root is the running menu
};

appState& app();

}  // namespace tv
