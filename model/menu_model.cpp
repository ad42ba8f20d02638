#include "model/menu_model.h"

#include <vector>

#include "model/item_pool.h"
#include "model/tree_walk.h"

namespace tv {

menuModel::menuModel() = default;

menuModel::~menuModel() {
    // Items must go while the allocator they report to still exists; their ids
    // and hotkeys go with the model, so none is handed back one at a time.
    ids.setShuttingDown(true);
    registry.clear();
    root.clear();
}

menuItem& menuModel::createItem(menuNode& node) {
    auto item = std::allocate_shared<menuItem>(itemAllocator<menuItem>(), &ids);
    item->itemId = ids.takeMenuId();
    registry.add(item.get());
    node.item = std::move(item);
    return *node.item;
}

menuItem& menuModel::createItem(menuNode& node, itemFields fields) {
    menuItem& item = createItem(node);
    item.text = std::move(fields.text);
    item.data = std::move(fields.data);
    item.unicodeEscapes = fields.unicodeEscapes;
    item.vk = fields.vk;
    item.mode = fields.mode;
    item.extKey = fields.extKey;
    item.extIconFileName = std::move(fields.extIconFileName);
    item.extIconIndex = fields.extIconIndex;
    item.abbreviation = std::move(fields.abbreviation);
    return item;
}

itemRef menuModel::createHistoryEntry(std::string escapedText, bool unicodeEscapes) {
    auto entry = std::make_shared<menuItem>(&ids);
    entry->itemId = ids.takeHistoryId();
    entry->mode = itemMode::historyEntry;
    entry->text = std::move(escapedText);
    entry->unicodeEscapes = unicodeEscapes;
    return entry;
}

void menuModel::unregisterSubtree(menuNode& node) {
    std::vector<menuNode*> pending{&node};
    while (!pending.empty()) {
        menuNode* current = pending.back();
        pending.pop_back();
        if (current->item) {
            registry.remove(current->item.get());
            current->item.reset();
        }
        for (auto it = current->children.rbegin(); it != current->children.rend(); ++it) pending.push_back(&*it);
    }
}

itemRef menuModel::copyForEditing(const menuItem& original) const {
    auto copy = std::allocate_shared<menuItem>(itemAllocator<menuItem>(), static_cast<idAllocator*>(nullptr));
    static_cast<itemValues&>(*copy) = original;
    return copy;
}

void menuModel::adoptEditedCopies(const menuNode& tree) {
    walkTree(
        tree,
        [&](const menuNode& node, size_t, size_t) {
            menuItem* copy = node.item.get();
            if (!copy || copy->owner_) return;
            copy->owner_ = &ids;
            if (copy->itemId == noItemId) return;
            menuItem* original = registry.findById(copy->itemId);
            if (original) {
                registry.remove(original);
                original->owner_ = nullptr;
            } else {
                // The original went some other way and its id with it.
                copy->itemId = ids.takeMenuId();
            }
            registry.add(copy);
        },
        [](const menuNode&, size_t) {});
}

int menuModel::cornerOf(const menuItem& item) const {
    return item.itemId == noItemId ? item.cornerWithoutId : corners.cornerOf(item.itemId);
}

void menuModel::setCorner(menuItem& item, int corner) {
    if (item.itemId != noItemId) {
        corners.setCorner(item.itemId, corner);
        return;
    }
    item.cornerWithoutId = corner >= 1 && corner <= cornerCount ? static_cast<uint8_t>(corner) : 0;
}

void menuModel::resetForRunningMenu() {
    registry.clear();
    ids.resetMenuRange();
    if (events_) events_->runningMenuReset();
    corners.clear();
}

void menuModel::setEvents(modelEvents* events) {
    events_ = events;
    ids.setHotkeyReleaser(events);
}

}  // namespace tv
