#include "model/corner_table.h"

namespace tv {

int cornerTable::cornerOf(uint16_t itemId) const {
    if (itemId == 0) return 0;
    for (int i = 0; i < cornerCount; ++i)
        if (slots_[i] == itemId) return i + 1;
    return 0;
}

void cornerTable::setCorner(uint16_t itemId, int corner) {
    // Id 0 is an empty slot: an item without an id can never hold a corner.
    if (itemId == 0) return;
    for (auto& slot : slots_)
        if (slot == itemId) slot = 0;
    if (corner >= 1 && corner <= cornerCount) slots_[corner - 1] = itemId;
}

const char* cornerKeyword(int corner) {
    static const char* const keywords[cornerCount] = {"left-up", "left-buttom", "right-up", "right-buttom"};
    return corner >= 1 && corner <= cornerCount ? keywords[corner - 1] : nullptr;
}

}  // namespace tv
