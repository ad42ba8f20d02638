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

}  // namespace

void sortEntryChildren(editorState& editor, HTREEITEM folder, sortOrder order, bool descending) {
    editorStepsBegin();
    if (menuNode* kept = childrenForLater(editor, folder)) {
        sortChildren(*kept, order, descending);
        editorStepDone("sort");
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
