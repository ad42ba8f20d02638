// The popup's own state, and what it asks of the layers above it.
#pragma once

#include <functional>

#include "model/menu_item.h"

namespace tv {

struct popupState {
    // Set by the program at start-up. Shift+click on an entry and the
    // settings item open the editor with the item selected.
    std::function<void(const menuItem* preselect)> openSettingsEditor = [](const menuItem*) {};
};

popupState& popup();

}  // namespace tv
