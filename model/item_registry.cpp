#include "model/item_registry.h"

namespace tv {

void itemRegistry::add(menuItem* item) {
    if (!item || item->registry_) return;
    item->registrySlot_ = slots_.size();
    item->registry_ = this;
    slots_.push_back(item);
    ++live_;
}

void itemRegistry::remove(menuItem* item) {
    if (!item || item->registry_ != this) return;
    size_t slot = item->registrySlot_;
    if (slot >= slots_.size() || slots_[slot] != item) return;
    slots_[slot] = nullptr;
    item->registry_ = nullptr;
    --live_;
    if (slots_.size() > 64 && live_ < slots_.size() / 2) compact();
}

void itemRegistry::clear() {
    for (menuItem* item : slots_)
        if (item) item->registry_ = nullptr;
    slots_.clear();
    live_ = 0;
}

menuItem* itemRegistry::findById(uint16_t itemId) const {
    if (itemId == noItemId) return nullptr;  // items beyond the id space cannot be chosen
    for (menuItem* item : slots_)
        if (item && item->itemId == itemId) return item;
    return nullptr;
}

void itemRegistry::compact() {
    size_t next = 0;
    for (menuItem* item : slots_) {
        if (!item) continue;
        item->registrySlot_ = next;
        slots_[next++] = item;
    }
    slots_.resize(next);
    // A second copy of a big menu, listed and dropped again, would otherwise
    // leave the list at twice the size it needs for good.
    if (slots_.capacity() > 2 * next + 64) slots_.shrink_to_fit();
}

}  // namespace tv
