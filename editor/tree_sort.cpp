#include "editor/tree_sort.h"

#include <unordered_map>
#include <vector>

#include "editor/editor_tree.h"
#include "editor/pending_children.h"
#include "shell/timing_log.h"

namespace tv {

namespace {

using rankOfItem = std::unordered_map<LPARAM, size_t>;

int CALLBACK compareRanks(LPARAM first, LPARAM second, LPARAM ranks) {
    const auto& rank = *reinterpret_cast<const rankOfItem*>(ranks);
    const size_t a = rank.at(first), b = rank.at(second);
    return a < b ? -1 : a > b ? 1 : 0;
}

// What the sort looks at: the item, and whether the entry is a folder.
menuNode sortKeyOf(const editorState& editor, HTREEITEM entry) {
    menuNode key(editor.entries.item(entry));
    if (hasChildEntries(editor.tree, entry)) key.children.emplace_back();
    return key;
}

// A level that shows only its first entries is sorted whole, and shown again
// from its first page: the entries shown are copied, the ones kept moved.
void sortWholeLevel(editorState& editor, HTREEITEM folder, menuNode& kept, sortOrder order, bool descending) {
    menuNode level;
    level.children.reserve(editor.entries.childCount(folder) + kept.childCount());
    for (entryTree::entry shown : editor.entries.children(folder))
        level.children.push_back(copyEditorSubtree(editor, asEntry(shown)));
    for (menuNode& child : kept.children) level.children.push_back(std::move(child));
    editorStepDone("read the folder");
    sortChildren(level, order, descending);
    editorStepDone("sort");
    HWND tree = editor.tree;
    treeRedrawPause pause(tree);
    // An open folder closes and drops its entries at once, rather than
    // refiguring its view for each entry that goes.
    const bool open = isExpanded(tree, folder);
    if (open) SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE | TVE_COLLAPSERESET, reinterpret_cast<LPARAM>(folder));
    for (entryTree::entry shown : editor.entries.children(folder))
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(asEntry(shown)));
    editor.childrenLater[folder] = std::move(level);
    fillNextPage(editor, folder);
    if (open) SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(folder));
    editorStepDone("reorder the tree");
}

}  // namespace

void sortEntryChildren(editorState& editor, HTREEITEM folder, sortOrder order, bool descending) {
    editorStepsBegin();
    if (menuNode* kept = childrenForLater(editor, folder)) {
        if (editor.entries.firstChild(folder)) {
            sortWholeLevel(editor, folder, *kept, order, descending);
            UpdateWindow(editor.tree);
            editorStepDone("redraw");
        } else {
            sortChildren(*kept, order, descending);
            editorStepDone("sort");
        }
        return;
    }
    const std::vector<entryTree::entry> entries = editor.entries.children(folder);
    if (entries.size() < 2) return;
    menuNode level;
    level.children.reserve(entries.size());
    std::unordered_map<const menuItem*, entryTree::entry> entryOfItem;
    for (entryTree::entry entry : entries) {
        level.children.push_back(sortKeyOf(editor, asEntry(entry)));
        entryOfItem[level.children.back().item.get()] = entry;
    }
    editorStepDone("read the folder");
    sortChildren(level, order, descending);
    editorStepDone("sort");
    // The tree view gets the very order sortChildren made: entries that compare
    // equal stay as it left them.
    std::vector<entryTree::entry> sorted;
    rankOfItem ranks;
    for (const menuNode& child : level.children) {
        ranks[reinterpret_cast<LPARAM>(child.item.get())] = sorted.size();
        sorted.push_back(entryOfItem.at(child.item.get()));
    }
    editor.entries.reorderChildren(folder, sorted);
    TVSORTCB sort{};
    sort.hParent = folder;
    sort.lpfnCompare = compareRanks;
    sort.lParam = reinterpret_cast<LPARAM>(&ranks);
    SendMessageA(editor.tree, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    editorStepDone("reorder the tree");
    UpdateWindow(editor.tree);
    editorStepDone("redraw");
}

}  // namespace tv
