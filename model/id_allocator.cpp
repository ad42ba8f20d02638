#include "model/id_allocator.h"

#include "model/menu_item.h"

namespace tv {

uint16_t idAllocator::takeMenuId() {
    if (!releasedMenu_.empty()) {
        uint16_t id = releasedMenu_.front();
        releasedMenu_.pop_front();
        return id;
    }
    if (menuCounter_ < menuIdLimit) return menuCounter_++;
    // The menu range is used up: borrow from the history range.
    return takeHistoryId();
}

uint16_t idAllocator::takeHistoryId() {
    if (!releasedHistory_.empty()) {
        uint16_t id = releasedHistory_.front();
        releasedHistory_.pop_front();
        return id;
    }
    uint16_t id = historyCounter_++;
    if (historyCounter_ >= historyIdLimit) historyCounter_ = firstHistoryId;
    return id;
}

void idAllocator::release(uint16_t itemId, uint8_t mode) {
    if (shuttingDown_) return;
    if (mode == itemMode::historyEntry)
        releasedHistory_.push_back(itemId);
    else
        releasedMenu_.push_back(itemId);
    if (hotkeys_) hotkeys_->unregisterHotkey(itemId);
}

void idAllocator::resetMenuRange() {
    menuCounter_ = firstMenuId;
    releasedMenu_.clear();
}

void idAllocator::resetHistoryRange() {
    historyCounter_ = firstHistoryId;
    releasedHistory_.clear();
}

menuItem::~menuItem() {
    if (owner_) owner_->release(itemId, mode);
}

}  // namespace tv
