// A history entry picked with the right button becomes a phrase of its own under
// the clipboard-history item whose submenu was open.
#pragma once

#include "model/menu_item.h"

namespace tv {

void quickAddHistoryEntry(const menuItem& entry, const menuItem& historyItem);

}  // namespace tv
