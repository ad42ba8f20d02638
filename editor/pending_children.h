// A folder's children go into the tree when it first opens: opening the editor
// costs the levels in view, not the whole menu. Until then the folder's entry
// shows its button and keeps copies of its children (sharing their items)
// here; everything that walks the tree either fills the way it goes (any
// request for an entry's first child does) or reads these copies.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"
#include "model/entry_tree.h"
#include "model/menu_node.h"

namespace tv {

// Keeps the node's children for the entry, which shows its button meanwhile.
void keepChildrenForLater(editorState& editor, HTREEITEM entry, const menuNode& node);
bool hasChildrenForLater(HWND tree, HTREEITEM entry);
// The children kept for the entry, or null.
const menuNode* childrenForLater(const editorState& editor, HTREEITEM entry);
menuNode* childrenForLater(editorState& editor, HTREEITEM entry);
// Inserts the kept children of the entry, if any.
void fillChildrenNow(editorState& editor, HTREEITEM entry);
// TVN_DELETEITEM: an entry handle may come back for another entry.
void forgetChildrenForLater(editorState& editor, HTREEITEM entry);

// Fills an entry before the tree answers for its first child or expands it,
// whoever asks (the editor itself, or a program reading the tree).
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
