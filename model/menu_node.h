// The item tree: a node shares one item and owns its children in menu order.
#pragma once

#include <cstddef>
#include <vector>

#include "model/menu_item.h"

namespace tv {

struct menuNode {
    itemRef item;                   // empty for a carrier node
    // Children in menu order. Appending may move earlier children, so nobody keeps
    // a pointer to a child across an append to its parent.
    std::vector<menuNode> children;

    menuNode() = default;
    explicit menuNode(itemRef it) : item(std::move(it)) {}
    menuNode(menuNode&&) noexcept = default;
    menuNode& operator=(menuNode&&) noexcept = default;
    // Copying would duplicate a whole tree by recursion; share items explicitly instead.
    menuNode(const menuNode&) = delete;
    menuNode& operator=(const menuNode&) = delete;
    // Frees any depth without recursion, so a hand-made file cannot overflow the stack.
    // Inline for the common childless node, which vectors destroy by the thousand.
    ~menuNode() {
        if (!children.empty()) dismantleChildren();
    }

    size_t childCount() const { return children.size(); }
    bool hasChildren() const { return !children.empty(); }
    void appendChild(menuNode&& child) { children.push_back(std::move(child)); }
    menuNode& lastChild() { return children.back(); }
    void clear();  // drops the item and every child

private:
    void dismantleChildren();
};

// The node in the subtree that holds `item`, or null.
menuNode* findNode(menuNode& root, const menuItem* item);
// The nodes from root down to the one that holds `item`, both included; empty
// when the subtree does not hold it.
std::vector<menuNode*> pathTo(menuNode& root, const menuItem* item);

// Number of item levels below (and including) the node's children; 0 for a leaf.
size_t treeDepth(const menuNode& node);
// Number of nodes with an item in the subtree, the node itself included.
size_t countItems(const menuNode& node);

}  // namespace tv
