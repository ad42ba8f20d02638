// The editor tree: a tree view whose entries show the items of the menu. While
// the editor is open the menu's structure lives here, kept in step in
// editorState::entries, from which it is copied into a node when the editor
// saves, exports or moves entries.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "editor/editor_state.h"
#include "editor/pending_children.h"
#include "model/menu_node.h"

namespace tv {

// --- navigation ---
HTREEITEM asEntry(entryTree::entry entry);  // the tree view's handle as editorState::entries keeps it
menuItem* entryItem(HWND tree, HTREEITEM entry);  // null for the root entry
// The entry's item for an edit to change: one the running menu shares is
// copied first and the entry shows the copy from then on (the running menu
// keeps what was saved until the editor saves). Null for the root entry.
menuItem* editableItem(editorState& editor, HTREEITEM entry);
// The root item the same way, for the root entry's key and corner.
menuItem* editableRootItem(editorState& editor);
HTREEITEM parentEntry(HWND tree, HTREEITEM entry);
HTREEITEM previousSibling(HWND tree, HTREEITEM entry);
HTREEITEM nextSibling(HWND tree, HTREEITEM entry);
HTREEITEM firstChildEntry(HWND tree, HTREEITEM entry);
bool hasChildEntries(HWND tree, HTREEITEM entry);
bool isExpanded(HWND tree, HTREEITEM entry);
// True when `ancestor` is `entry` itself or one of its parents.
bool isAncestorOrSelf(HWND tree, HTREEITEM ancestor, HTREEITEM entry);
void selectEntry(HWND tree, HTREEITEM entry);

// What an entry shows: the text, or for date items the text expanded now.
bool labelShowsDate(const menuItem& item);
std::string entryLabel(const menuItem& item);
void setEntryLabel(HWND tree, HTREEITEM entry, const std::string& label);

// Inserts an entry for the node's item under `parent` after `insertAfter`, with
// its children below it; a node without item puts its children straight under
// `parent`. With no parent it makes the root entry "メニュー" and fills the
// node's children below it. Returns the entry made for the node (for a node
// without item, the one made for its last child).
// A level puts at most `pageLimit` entries into the tree (editor/pending_children.h).
HTREEITEM fillEditorTree(editorState& editor, const menuNode& node, HTREEITEM parent, HTREEITEM insertAfter,
                         size_t pageLimit = entriesPerPage);
// A node sharing the entry's item and, recursively, copies of its children. The
// root entry (or none) gives a node without item holding the whole menu.
menuNode copyEditorSubtree(const editorState& editor, HTREEITEM entry);
// Puts the node where the selection says (Tree editing rules) and selects it.
void insertAtSelection(editorState& editor, const menuNode& node);
// The entry's icon after its item or its children changed.
void refreshEntryIcon(editorState& editor, HTREEITEM entry);

// TVN_GETDISPINFO: an icon that needs a file is resolved when first shown.
void onTreeGetDispInfo(NMTVDISPINFOA& info);
// TVN_ITEMEXPANDING: a folder opened for the first time gets its entries.
void onTreeItemExpanding(editorState& editor, const NMTREEVIEWA& change);
// TVN_DELETEITEM: the entry leaves the structure (an entry handle may come back
// for another entry).
void onTreeDeleteItem(editorState& editor, const NMTREEVIEWA& change);
// TVN_ITEMEXPANDED: the item remembers the state for the next opening.
void onTreeItemExpanded(editorState& editor, const NMTREEVIEWA& change);

}  // namespace tv
