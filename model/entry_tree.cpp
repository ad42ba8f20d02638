#include "model/entry_tree.h"

#include <utility>

namespace tv {

const entryTree::node* entryTree::find(entry of) const {
    auto found = nodes_.find(of);
    return found == nodes_.end() ? nullptr : &found->second;
}

entryTree::node& entryTree::childrenHolder(entry parent) {
    if (!parent) return top_;
    return nodes_[parent];
}

// Links a new entry under `parent` right after `previous` (null: first).
void entryTree::link(entry added, entry parent, entry previous, itemRef item) {
    if (!added || nodes_.count(added)) return;
    if (parent && !nodes_.count(parent)) return;
    node& holder = childrenHolder(parent);
    node& fresh = nodes_[added];
    fresh.item = std::move(item);
    fresh.parent = parent;
    fresh.previous = previous;
    fresh.next = previous ? nodes_[previous].next : holder.firstChild;
    ++holder.childCount;
    if (fresh.previous)
        nodes_[fresh.previous].next = added;
    else
        holder.firstChild = added;
    if (fresh.next)
        nodes_[fresh.next].previous = added;
    else
        holder.lastChild = added;
}

void entryTree::insertFirst(entry added, entry parent, itemRef item) { link(added, parent, nullptr, std::move(item)); }

void entryTree::insertLast(entry added, entry parent, itemRef item) {
    const node* holder = parent ? find(parent) : &top_;
    if (holder) link(added, parent, holder->lastChild, std::move(item));
}

void entryTree::insertAfter(entry added, entry after, itemRef item) {
    if (const node* sibling = find(after)) link(added, sibling->parent, after, std::move(item));
}

void entryTree::remove(entry gone) {
    const node* self = find(gone);
    if (!self) return;
    node& holder = childrenHolder(self->parent);
    if (self->previous)
        nodes_[self->previous].next = self->next;
    else
        holder.firstChild = self->next;
    if (self->next)
        nodes_[self->next].previous = self->previous;
    else
        holder.lastChild = self->previous;
    --holder.childCount;
    // With a stack of its own: the depth comes from a file the user may have edited.
    std::vector<entry> pending{gone};
    while (!pending.empty()) {
        entry current = pending.back();
        pending.pop_back();
        auto found = nodes_.find(current);
        if (found == nodes_.end()) continue;
        for (entry child = found->second.firstChild; child; child = nodes_[child].next) pending.push_back(child);
        nodes_.erase(found);
    }
}

void entryTree::clear() {
    nodes_.clear();
    top_ = node();
}

entryTree::entry entryTree::parent(entry of) const {
    const node* self = find(of);
    return self ? self->parent : nullptr;
}

entryTree::entry entryTree::firstChild(entry of) const {
    const node* self = of ? find(of) : &top_;
    return self ? self->firstChild : nullptr;
}

entryTree::entry entryTree::lastChild(entry of) const {
    const node* self = of ? find(of) : &top_;
    return self ? self->lastChild : nullptr;
}

entryTree::entry entryTree::next(entry of) const {
    const node* self = find(of);
    return self ? self->next : nullptr;
}

entryTree::entry entryTree::previous(entry of) const {
    const node* self = find(of);
    return self ? self->previous : nullptr;
}

const itemRef& entryTree::item(entry of) const {
    static const itemRef none;
    const node* self = find(of);
    return self ? self->item : none;
}

void entryTree::setItem(entry of, itemRef item) {
    auto found = nodes_.find(of);
    if (found != nodes_.end()) found->second.item = std::move(item);
}

size_t entryTree::childCount(entry of) const {
    const node* self = of ? find(of) : &top_;
    return self ? self->childCount : 0;
}

std::vector<entryTree::entry> entryTree::children(entry of) const {
    std::vector<entry> result;
    for (entry child = firstChild(of); child; child = next(child)) result.push_back(child);
    return result;
}

void entryTree::reorderChildren(entry parent, const std::vector<entry>& order) {
    if (parent && !nodes_.count(parent)) return;
    node& holder = childrenHolder(parent);
    entry previous = nullptr;
    for (entry child : order) {
        node& self = nodes_[child];
        self.previous = previous;
        if (previous)
            nodes_[previous].next = child;
        else
            holder.firstChild = child;
        previous = child;
    }
    holder.lastChild = previous;
    if (previous) nodes_[previous].next = nullptr;
}

menuNode entryTree::copy(entry from, const laterChildren& later) const {
    menuNode result(item(from));
    std::vector<std::pair<entry, menuNode*>> pending{{from, &result}};
    while (!pending.empty()) {
        auto [current, into] = pending.back();
        pending.pop_back();
        const node* self = current ? find(current) : &top_;
        if (!self) continue;
        const menuNode* kept = later ? later(current) : nullptr;
        into->children.reserve(self->childCount + (kept ? kept->childCount() : 0));
        for (entry child = self->firstChild; child; child = nodes_.at(child).next)
            into->children.emplace_back(nodes_.at(child).item);
        if (kept)
            for (menuNode& child : shareChildren(*kept).children) into->children.push_back(std::move(child));
        // The children vector is complete: pointers into it stay valid.
        size_t index = 0;
        for (entry child = self->firstChild; child; child = nodes_.at(child).next, ++index)
            pending.push_back({child, &into->children[index]});
    }
    return result;
}

// Depth first with a stack of its own, as everything that walks a menu read
// from a file the user may have edited by hand.
menuNode shareChildren(const menuNode& node) {
    menuNode copy;
    std::vector<std::pair<const menuNode*, menuNode*>> pending{{&node, &copy}};
    while (!pending.empty()) {
        auto [from, to] = pending.back();
        pending.pop_back();
        to->children.reserve(from->childCount());
        for (const menuNode& child : from->children) to->children.emplace_back(child.item);
        for (size_t i = 0; i < from->childCount(); ++i)
            if (from->children[i].hasChildren()) pending.push_back({&from->children[i], &to->children[i]});
    }
    return copy;
}

}  // namespace tv
