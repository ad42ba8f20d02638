#include "model/item_registry.h"

namespace tv {

void itemRegistry::add(const itemRef& item) {
    if (!item || index_.count(item.get())) return;
    items_.push_back(item);
    index_[item.get()] = std::prev(items_.end());
}

void itemRegistry::remove(const menuItem* item) {
    auto found = index_.find(item);
    if (found == index_.end()) return;
    items_.erase(found->second);
    index_.erase(found);
}

void itemRegistry::clear() {
    index_.clear();
    // Move the references out first: destroying an item may call back into the owner.
    std::list<itemRef> released;
    released.swap(items_);
}

menuItem* itemRegistry::findById(uint16_t itemId) const {
    for (const auto& item : items_)
        if (item->itemId == itemId) return item.get();
    return nullptr;
}

}  // namespace tv
