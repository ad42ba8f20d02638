// Global shortcut keys: each item's own key (id = its itemId) and the private
// Win+Shift+Backspace key the program presses to win the foreground.
#pragma once

#include "model/menu_model.h"

namespace tv {

bool registerItemHotkey(const menuItem& item);
void unregisterItemHotkey(const menuItem& item);
// The node's item, then every descendant in order.
void registerSubtreeHotkeys(const menuNode& node, bool registering);
void registerAllHotkeys();  // every item of the registry
void registerPrivateHotkey();

// What the model asks of the platform: drop a released item's hotkey, and the
// fresh icons a newly read running menu needs.
modelEvents& platformModelEvents();

}  // namespace tv
