#include "editor/editor_hotkeys.h"

#include <commctrl.h>

#include "editor/settings_editor.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/hotkeys.h"

namespace tv {

namespace {

LRESULT CALLBACK hotkeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    // A closing editor has handed the keys back to the running menu already.
    if (!settingsEditor().window) return result;
    if (message == WM_SETFOCUS) setHotkeysRegistered(false);
    if (message == WM_KILLFOCUS) setHotkeysRegistered(true);
    return result;
}

}  // namespace

void setHotkeysRegistered(bool registering) {
    registerSubtreeHotkeys(settingsEditor().editingCopy, registering);
    menuItem* root = app().model.root.item.get();
    if (app().model.registry.empty() || !root) return;
    // Under 102 the key reaches the main window as "the whole menu at the pointer".
    const uint16_t ownId = root->itemId;
    root->itemId = IDM_SHOW_WHOLE_MENU;
    if (registering)
        registerItemHotkey(*root);
    else
        unregisterItemHotkey(*root);
    root->itemId = ownId;
}

void subclassHotkeyField(HWND field) { SetWindowSubclass(field, hotkeyFieldProc, 1, 0); }

}  // namespace tv
