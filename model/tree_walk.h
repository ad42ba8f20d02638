// Depth-first walk without recursion, so that a tree of any depth can be written.
#pragma once

#include <cstddef>
#include <vector>

#include "model/menu_node.h"

namespace tv {

// Calls enter(node, depth, position) before a node's children and leave(node, depth)
// after them. `depth` is 0 for the start node; `position` is the node's 1-based
// place among its siblings, 0 for the start node.
template <class Enter, class Leave>
void walkTree(const menuNode& start, Enter&& enter, Leave&& leave) {
    struct frame {
        const menuNode* node;
        size_t nextChild;
    };
    std::vector<frame> stack;
    enter(start, size_t{0}, size_t{0});
    stack.push_back({&start, 0});
    while (!stack.empty()) {
        frame& top = stack.back();
        if (top.nextChild < top.node->childCount()) {
            const menuNode& child = top.node->children[top.nextChild++];
            size_t depth = stack.size();
            enter(child, depth, top.nextChild);
            stack.push_back({&child, 0});
        } else {
            const menuNode* done = top.node;
            stack.pop_back();
            leave(*done, stack.size());
        }
    }
}

}  // namespace tv
