// Every live menu item, in creation order: used to (un)register all hotkeys at once,
// to find an item by id, and by the writers to tell an empty menu from a real one.
// The tree owns the items; an item leaves the list when it is destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/id_allocator.h"
#include "model/menu_item.h"

namespace tv {

class itemRegistry {
public:
    void add(menuItem* item);
    void remove(menuItem* item);  // no-op for an item that is not listed
    void clear();                 // forgets every item; none is destroyed
    size_t count() const { return live_; }
    bool empty() const { return live_ == 0; }
    menuItem* findById(uint16_t itemId) const;  // never an item without an id

    // Calls f(menuItem&) for every listed item in creation order.
    template <class F>
    void forEach(F&& f) const {
        for (const auto& item : slots_)
            if (item) f(*item);
    }

private:
    void compact();

    // Removed items leave an empty slot until there are more holes than items, so
    // removing one item costs O(1) and a whole tree O(n).
    std::vector<menuItem*> slots_;
    size_t live_ = 0;
};

}  // namespace tv
