#include "model/id_allocator.h"

#include "model/item_registry.h"
#include "model/menu_item.h"

namespace tv {

namespace {

bool isHistoryId(uint16_t itemId) { return itemId >= firstHistoryId && itemId < historyIdLimit; }
constexpr size_t historyIdCount = historyIdLimit - firstHistoryId;

}  // namespace

uint16_t idAllocator::claim(uint16_t itemId) {
    live_[itemId] = true;
    if (isHistoryId(itemId)) ++liveHistoryIds_;
    return itemId;
}

// A released id may have been handed out again since (a reset restarts the
// counters), so one that is in use again is skipped.
uint16_t idAllocator::takeReleased(std::deque<uint16_t>& released) {
    while (!released.empty()) {
        uint16_t id = released.front();
        released.pop_front();
        if (!live_[id]) return claim(id);
    }
    return noItemId;
}

uint16_t idAllocator::takeMenuId() {
    if (uint16_t id = takeReleased(releasedMenu_)) return id;
    while (menuCounter_ < menuIdLimit) {
        uint16_t id = menuCounter_++;
        if (!live_[id]) return claim(id);
    }
    // The menu range is used up: borrow from the history range.
    return takeHistoryId();
}

uint16_t idAllocator::takeHistoryId() {
    if (uint16_t id = takeReleased(releasedHistory_)) return id;
    if (liveHistoryIds_ >= historyIdCount) return noItemId;
    // The counter wraps round the range; some id in it is free.
    for (;;) {
        uint16_t id = historyCounter_++;
        if (historyCounter_ >= historyIdLimit) historyCounter_ = firstHistoryId;
        if (!live_[id]) return claim(id);
    }
}

void idAllocator::release(uint16_t itemId, uint8_t mode, bool heldKey) {
    if (shuttingDown_ || itemId == noItemId) return;
    if (live_[itemId]) {
        live_[itemId] = false;
        if (isHistoryId(itemId)) --liveHistoryIds_;
    }
    // A borrowed history id goes back to the menu range's list while the menu
    // range is full, so a deleted item's id serves the next new item.
    if (mode == itemMode::historyEntry)
        releasedHistory_.push_back(itemId);
    else
        releasedMenu_.push_back(itemId);
    if (hotkeys_ && heldKey) hotkeys_->unregisterHotkey(itemId);
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
    if (registry_) registry_->remove(this);
    if (owner_) owner_->release(itemId, mode, vk != 0);
}

}  // namespace tv
