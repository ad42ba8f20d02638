// The process-wide state of the resident program. One user-interface thread owns
// all of it; re-entrancy is guarded by the flags below, not by locks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "cliphistory/history_list.h"
#include "model/menu_model.h"

namespace tv {

// Commands the main window handles itself (WM_COMMAND low word).
namespace mainCommand {
enum : UINT {
    showTrayMenu = 102,      // the whole menu at the pointer (tray right click)
    pasteKeystroke = 103,    // send Ctrl+V once the modifiers are released
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

struct clipboardFlags {
    bool ownChange = false;      // the next clipboard change is our own paste
    bool pasteAfterSet = false;  // paste as soon as our clipboard change arrives
    bool fromHistory = false;    // the text being pasted came from the history
    uint16_t pendingEnclose = 0; // enclose item waiting for the selection to be copied
    size_t caretBack = 0;        // Left presses after the paste: an enclose of nothing
};

struct targetState {
    HWND window = nullptr;  // the foreground window before our menu took it
    HWND focus = nullptr;   // its focused control
    POINT point{};          // caret or control position, screen coordinates
};

struct appState {
    std::string startDirectory;
    std::string dataFileName = "tv2_text.ini";
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND nextViewer = nullptr;  // next window in the clipboard-viewer chain
    HICON appIcon32 = nullptr;
    HICON appIcon16 = nullptr;
    HICON activeIcon = nullptr;
    HIMAGELIST imageList = nullptr;
    HMENU mainMenu = nullptr;
    HACCEL accelerators = nullptr;
    UINT findReplaceMessage = 0;

    bool closing = false;
    bool menuOpen = false;
    bool addToItems = false;  // a right-button release inside the menu: quick add
    clipboardFlags clip;
    targetState target;
    DWORD lastCaptureTick = 0;
    int cornerDwell = 0;
    bool cornerBusy = false;
    int foregroundRetries = 0;

    HWND taskbar = nullptr;
    bool trayAdded = false;
    bool noTray = false;  // the tile instead of a tray icon (never set from the UI)

    HWND editorWindow = nullptr;  // the settings editor, when open
    bool editorModified = false;  // the editor holds changes the data file lacks
    bool servingEditingCopy = false;  // the popup menu shows editingCopy

    settings config;
    fontRecord font;      // the editor's edit fields
    fontRecord menuFont;  // the popup menu entries

    menuModel model;                  // model.root is the running menu
    menuNode editingCopy;             // serves the menu while the editor is open
    historyList history{model};
    const menuItem* currentHistoryItem = nullptr;  // its submenu was opened last

    // The tree the popup menu is built from: the editing copy while the editor is open.
    menuNode& menuTree() { return servingEditingCopy ? editingCopy : model.root; }
};

appState& app();

}  // namespace tv
