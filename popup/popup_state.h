// The popup's own state: the menu, the window it was called over, the paste
// and enclose protocols under way, and what it asks of the layers above it.
// One user-interface thread owns it, as it owns the application state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "model/menu_node.h"

namespace tv {

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

struct popupState {
    HMENU mainMenu = nullptr;
    bool menuOpen = false;
    bool addToItems = false;  // a right-button release inside the menu: quick add
    clipboardFlags clip;
    targetState target;
    DWORD lastCaptureTick = 0;
    int cornerDwell = 0;
    bool cornerBusy = false;
    int foregroundRetries = 0;
    const menuItem* currentHistoryItem = nullptr;  // its submenu was opened last

    // Set by the program at start-up, before the first menu is built.
    // True while the settings editor is open: only its save changes the
    // running menu then.
    std::function<bool()> menuBeingEdited;
    // Shift+click on an entry and the settings item open the editor with the item selected.
    std::function<void(const menuItem* preselect)> openSettingsEditor;
    // After each rebuild of the menu, with the tree it was built from: the
    // abbreviations follow what the menu offers.
    std::function<void(const menuNode& tree)> menuRebuilt;
};

popupState& popup();

}  // namespace tv
