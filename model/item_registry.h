// Every live menu item, in creation order: used to (un)register all hotkeys at once,
// to find an item by id, and by the writers to tell an empty menu from a real one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>

#include "model/menu_item.h"

namespace tv {

class itemRegistry {
public:
    void add(const itemRef& item);
    void remove(const menuItem* item);  // no-op for an item that is not listed
    void clear();
    size_t count() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    menuItem* findById(uint16_t itemId) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::list<itemRef> items_;
    std::unordered_map<const menuItem*, std::list<itemRef>::iterator> index_;
};

}  // namespace tv
