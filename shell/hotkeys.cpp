#include "shell/hotkeys.h"

#include "files/typing_triggers.h"
#include "model/hotkey.h"
#include "model/tree_walk.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/item_icons.h"

namespace tv {

namespace {

// Neither registration nor removal happens while closing or without the window.
bool hotkeysAvailable() { return !app().closing && IsWindow(app().mainWindow); }

class win32ModelEvents : public modelEvents {
public:
    void unregisterHotkey(uint16_t itemId) override {
        if (hotkeysAvailable()) UnregisterHotKey(app().mainWindow, itemId);
    }
    void runningMenuReset() override { resetImageList(); }
};

}  // namespace

bool registerItemHotkey(const menuItem& item) {
    // An item beyond the id space (id 0) cannot be chosen, by its key neither.
    if (item.vk == 0 || item.itemId == noItemId || !hotkeysAvailable()) return false;
    // A program item's key that types a character stays unregistered until the
    // editor saves the item with another key: the file may come from anyone.
    if (typingTriggersOf(item).key) return false;
    hotkeyCombination key = hotkeyOf(item.vk, item.extKey);
    // A key another program holds stays without effect; nobody is told.
    return RegisterHotKey(app().mainWindow, item.itemId, key.modifiers, key.virtualKey) != 0;
}

// An item's key changes only while every key is released (the key field has
// the focus), so one without a key now was never registered.
void unregisterItemHotkey(const menuItem& item) {
    if (item.vk != 0 && item.itemId != noItemId && hotkeysAvailable()) UnregisterHotKey(app().mainWindow, item.itemId);
}

void registerSubtreeHotkeys(const menuNode& node, bool registering) {
    walkTree(
        node,
        [&](const menuNode& current, size_t, size_t) {
            if (!current.item) return;
            if (registering)
                registerItemHotkey(*current.item);
            else
                unregisterItemHotkey(*current.item);
        },
        [](const menuNode&, size_t) {});
}

void registerAllHotkeys() {
    app().model.registry.forEach([](const menuItem& item) { registerItemHotkey(item); });
}

void registerPrivateHotkey() {
    RegisterHotKey(app().mainWindow, IDH_PRIVATE, MOD_SHIFT | MOD_WIN, VK_BACK);
}

modelEvents& platformModelEvents() {
    static win32ModelEvents events;
    return events;
}

}  // namespace tv
