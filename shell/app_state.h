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
    bool noTray = false;  // the tile instead of a tray icon (shown, never changed, in the options dialog)

    settings config;
    fontRecord font;      // the editor's edit fields
    fontRecord menuFont;  // the popup menu entries

    menuModel model;  // model.root is the running menu
};

appState& app();

}  // namespace tv
