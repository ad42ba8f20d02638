#include "model/item_registry.h"

namespace tv {

void itemRegistry::add(const itemRef& item) {
    if (!item || item->registrySlot_ != menuItem::notRegistered) return;
    item->registrySlot_ = slots_.size();
    slots_.push_back(item);
    ++live_;
}

void itemRegistry::remove(const menuItem* item) {
    if (!item) return;
    size_t slot = item->registrySlot_;
    if (slot >= slots_.size() || slots_[slot].get() != item) return;
    // Clear the slot before dropping the reference: the item may be destroyed here.
    itemRef released = std::move(slots_[slot]);
    released->registrySlot_ = menuItem::notRegistered;
    --live_;
    if (slots_.size() > 64 && live_ < slots_.size() / 2) compact();
}

void itemRegistry::clear() {
    // Move the references out first: destroying an item calls back into its id owner.
    std::vector<itemRef> released;
    released.swap(slots_);
    live_ = 0;
    for (auto& item : released)
        if (item) item->registrySlot_ = menuItem::notRegistered;
}

menuItem* itemRegistry::findById(uint16_t itemId) const {
    if (itemId == noItemId) return nullptr;  // items beyond the id space cannot be chosen
    for (const auto& item : slots_)
        if (item && item->itemId == itemId) return item.get();
    return nullptr;
}

void itemRegistry::compact() {
    size_t next = 0;
    for (auto& item : slots_) {
        if (!item) continue;
        item->registrySlot_ = next;
        slots_[next++] = std::move(item);
    }
    slots_.resize(next);
}

}  // namespace tv
