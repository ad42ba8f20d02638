// The menu as the settings editor's tree view shows it, kept in step with the
// tree view's inserts and deletes. A tree view answers each question about an
// entry in time that grows with its entries (Wine looks the handle up in a
// list), so walking one costs the square of the menu's size; this answers
// from memory, and saves, sorts and finds read the menu from here.
#pragma once

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

#include "model/menu_item.h"
#include "model/menu_node.h"

namespace tv {

class entryTree {
public:
    using entry = const void*;  // the tree view's handle; null: none, or the top level as a parent

    // A new entry showing `item` (null for an entry that stands for the whole
    // menu) goes first or last under `parent`, or right after `after`.
    void insertFirst(entry added, entry parent, itemRef item);
    void insertLast(entry added, entry parent, itemRef item);
    void insertAfter(entry added, entry after, itemRef item);
    // Takes the entry and everything below it out; an unknown entry is ignored.
    void remove(entry gone);
    void clear();

    bool contains(entry of) const { return nodes_.count(of) != 0; }
    size_t size() const { return nodes_.size(); }
    // Null when there is none (or `of` is unknown).
    entry parent(entry of) const;
    entry firstChild(entry of) const;  // of null: the first top-level entry
    entry lastChild(entry of) const;
    entry next(entry of) const;
    entry previous(entry of) const;
    const itemRef& item(entry of) const;  // empty for an unknown entry
    void setItem(entry of, itemRef item);   // the entry shows another item
    std::vector<entry> children(entry of) const;
    size_t childCount(entry of) const;  // of null: the top level
    // Puts the parent's children in this order: the same entries, rearranged.
    void reorderChildren(entry parent, const std::vector<entry>& order);

    // A node sharing the entry's item with, below it, nodes sharing the items
    // of everything below the entry, any depth. `later` gives, for an entry,
    // the children kept aside that come after those in the tree (copied with
    // shared items too), or null.
    using laterChildren = std::function<const menuNode*(entry)>;
    menuNode copy(entry from, const laterChildren& later) const;

private:
    struct node {
        itemRef item;
        entry parent = nullptr;
        entry firstChild = nullptr;
        entry lastChild = nullptr;
        entry previous = nullptr;
        entry next = nullptr;
        size_t childCount = 0;
    };
    const node* find(entry of) const;
    // The node whose children `parent` names: the top level for null.
    node& childrenHolder(entry parent);
    void link(entry added, entry parent, entry previous, itemRef item);

    std::unordered_map<entry, node> nodes_;
    node top_;
};

// A node without item holding copies of the node's children, any depth, that
// share their items.
menuNode shareChildren(const menuNode& node);

}  // namespace tv
