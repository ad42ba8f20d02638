// Entries go into the tree when they can be seen: opening the editor costs
// the levels in view, not the whole menu. A folder's children go in when it
// first opens, and a level of more than a page of entries shows its first page
// and gets the next one when its last entry comes into view. Until then the
// children not in the tree are kept (as copies sharing their items) for the
// folder's entry; they come after those that are. Everything that walks the
// tree either fills the way it goes (asking for an entry's first child, or
// for the entry after the last one shown, does) or reads these copies.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "editor/editor_state.h"
#include "model/entry_tree.h"
#include "model/menu_node.h"

namespace tv {

// How many entries of one level a fill puts into the tree at a time: some
// screens full, few enough that opening a large level costs little.
constexpr size_t entriesPerPage = 50;

// Keeps the node's children from `from` on for the entry. With none of them
// in the tree (from 0) the entry shows its button meanwhile.
void keepChildrenForLater(editorState& editor, HTREEITEM entry, const menuNode& node, size_t from = 0);
bool hasChildrenForLater(HWND tree, HTREEITEM entry);
// The children kept for the entry, or null.
const menuNode* childrenForLater(const editorState& editor, HTREEITEM entry);
menuNode* childrenForLater(editorState& editor, HTREEITEM entry);
// Inserts the next page of the children kept for the entry.
void fillNextPage(editorState& editor, HTREEITEM entry);
// A folder that opens, or whose first child is asked for, shows at least a page.
void fillFirstPage(editorState& editor, HTREEITEM entry);
// The entry after `entry` is asked for: when it is the last one shown of a
// level with more kept, the next page comes.
void fillPastEntry(editorState& editor, HTREEITEM entry);
// Inserts all the children kept for the entry.
void fillChildrenNow(editorState& editor, HTREEITEM entry);
// TVN_DELETEITEM: an entry handle may come back for another entry.
void forgetChildrenForLater(editorState& editor, HTREEITEM entry);

// Fills an entry before the tree answers for its first child, for the entry
// after the last one shown, or expands it, whoever asks (the editor itself, or
// a program reading the tree); and gives an open level its next page when its
// last entry comes into view.
void subclassTreeFill(HWND tree);

// Redrawing waits while the tree fills; nested fills turn it back on once.
class treeRedrawPause {
public:
    explicit treeRedrawPause(HWND tree);
    ~treeRedrawPause();
    treeRedrawPause(const treeRedrawPause&) = delete;
    treeRedrawPause& operator=(const treeRedrawPause&) = delete;

private:
    HWND tree_;
};

}  // namespace tv
