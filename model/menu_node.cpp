#include "model/menu_node.h"

#include <utility>
#include <vector>

namespace tv {

namespace {

// Destroys every descendant childless: a node's children are moved out before it
// goes, and taken apart next, the last sibling first, as a stack of child lists.
void dismantle(std::vector<menuNode>& children) {
    std::vector<std::vector<menuNode>> pending;
    pending.push_back(std::move(children));
    while (!pending.empty()) {
        std::vector<menuNode>& siblings = pending.back();
        if (siblings.empty()) {
            pending.pop_back();
            continue;
        }
        std::vector<menuNode> grandchildren = std::move(siblings.back().children);
        siblings.pop_back();
        if (!grandchildren.empty()) pending.push_back(std::move(grandchildren));
    }
}

}  // namespace

void menuNode::dismantleChildren() { dismantle(children); }

void menuNode::clear() {
    dismantle(children);
    item.reset();
}

std::vector<menuNode*> pathTo(menuNode& root, const menuItem* item) {
    if (root.item.get() == item) return {&root};
    // Each frame is a node on the current path and the next of its children to visit.
    std::vector<std::pair<menuNode*, size_t>> frames{{&root, 0}};
    while (!frames.empty()) {
        menuNode* node = frames.back().first;
        size_t next = frames.back().second++;
        if (next == node->children.size()) {
            frames.pop_back();
            continue;
        }
        menuNode* child = &node->children[next];
        if (child->item.get() == item) {
            std::vector<menuNode*> path;
            for (const auto& frame : frames) path.push_back(frame.first);
            path.push_back(child);
            return path;
        }
        if (child->hasChildren()) frames.push_back({child, 0});
    }
    return {};
}

menuNode* findNode(menuNode& root, const menuItem* item) {
    std::vector<menuNode*> path = pathTo(root, item);
    return path.empty() ? nullptr : path.back();
}

size_t treeDepth(const menuNode& node) {
    size_t deepest = 0;
    std::vector<std::pair<const menuNode*, size_t>> pending{{&node, 0}};
    while (!pending.empty()) {
        auto [current, depth] = pending.back();
        pending.pop_back();
        if (depth > deepest) deepest = depth;
        for (const auto& child : current->children) pending.push_back({&child, depth + 1});
    }
    return deepest;
}

size_t countItems(const menuNode& node) {
    size_t count = 0;
    std::vector<const menuNode*> pending{&node};
    while (!pending.empty()) {
        const menuNode* current = pending.back();
        pending.pop_back();
        if (current->item) ++count;
        for (const auto& child : current->children) pending.push_back(&child);
    }
    return count;
}

}  // namespace tv
