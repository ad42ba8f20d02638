#include "editor/editor_tree.h"

#include <algorithm>
#include <vector>

#include "editor/pending_children.h"
#include "model/menu_model.h"
#include "popup/date_now.h"
#include "shell/app_state.h"
#include "shell/icon_source.h"
#include "shell/item_icons.h"

namespace tv {

namespace {

const char* const rootEntryLabel = "メニュー";

HTREEITEM nextEntry(HWND tree, HTREEITEM entry, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(entry)));
}

// The image an entry shows now, or I_IMAGECALLBACK when the item's icon must
// first be taken from a file: that waits until the entry is drawn.
int entryImage(menuItem& item, bool hasChildren, bool expanded) {
    int index = iconIndex(item, hasChildren, true, expanded, true);
    return index == -1 ? I_IMAGECALLBACK : index;
}

bool isExpandedItem(const menuItem& item) { return (item.extKey & extKeyExpanded) != 0; }

// childrenLater: the children are kept aside; the entry shows its button all the same.
HTREEITEM insertEntry(HWND tree, HTREEITEM parent, HTREEITEM after, menuItem& item, bool hasChildren,
                      bool childrenLater) {
    std::string label = entryLabel(item);
    const bool expanded = isExpandedItem(item);
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    if (childrenLater) {
        insert.item.mask |= TVIF_CHILDREN;
        insert.item.cChildren = 1;
    }
    insert.item.pszText = const_cast<char*>(label.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(&item);
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = expanded ? TVIS_EXPANDED : 0;
    insert.item.iImage = insert.item.iSelectedImage = entryImage(item, hasChildren, expanded);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM insertRootEntry(HWND tree) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(rootEntryLabel);
    insert.item.lParam = 0;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = TVIS_EXPANDED;
    insert.item.iImage = insert.item.iSelectedImage = standardIconIndex(iconSlot::application);
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void setEntryImage(HWND tree, HTREEITEM entry, int image) {
    TVITEMA change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = entry;
    change.iImage = change.iSelectedImage = image;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

// Remembers the item so copies of the tree can share it, and selects the
// entry when it is the one the editor was opened for.
void adoptEntry(editorState& editor, const menuNode& node, HTREEITEM entry) {
    editor.items[node.item.get()] = node.item;
    if (editor.preselectId != 0 && node.item->itemId == editor.preselectId) selectEntry(editor.tree, entry);
}

}  // namespace

menuItem* entryItem(HWND tree, HTREEITEM entry) {
    if (!entry) return nullptr;
    TVITEMA item{};
    item.mask = TVIF_PARAM;
    item.hItem = entry;
    if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<menuItem*>(item.lParam);
}

HTREEITEM parentEntry(HWND tree, HTREEITEM entry) { return nextEntry(tree, entry, TVGN_PARENT); }
HTREEITEM previousSibling(HWND tree, HTREEITEM entry) { return nextEntry(tree, entry, TVGN_PREVIOUS); }
HTREEITEM nextSibling(HWND tree, HTREEITEM entry) { return nextEntry(tree, entry, TVGN_NEXT); }
HTREEITEM firstChildEntry(HWND tree, HTREEITEM entry) { return nextEntry(tree, entry, TVGN_CHILD); }
// Asks nothing of a folder not filled yet: asking for its first child would fill it.
bool hasChildEntries(HWND tree, HTREEITEM entry) {
    return hasChildrenForLater(tree, entry) || firstChildEntry(tree, entry) != nullptr;
}

bool isExpanded(HWND tree, HTREEITEM entry) {
    return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(entry), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

bool isAncestorOrSelf(HWND tree, HTREEITEM ancestor, HTREEITEM entry) {
    for (HTREEITEM current = entry; current; current = parentEntry(tree, current))
        if (current == ancestor) return true;
    return false;
}

void selectEntry(HWND tree, HTREEITEM entry) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(entry));
}

bool labelShowsDate(const menuItem& item) {
    return item.mode == itemMode::dateTimeExt || item.mode == itemMode::newDateTime;
}

std::string entryLabel(const menuItem& item) { return labelShowsDate(item) ? expandDateTimeNow(item.text) : item.text; }

void setEntryLabel(HWND tree, HTREEITEM entry, const std::string& label) {
    TVITEMA change{};
    change.mask = TVIF_TEXT;
    change.hItem = entry;
    change.pszText = const_cast<char*>(label.c_str());
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

// Depth first with a stack of its own: the depth comes from a file the user
// may have edited by hand. A folder shown open, or on the way to the entry to
// select, is filled now; any other keeps its children for later.
HTREEITEM fillEditorTree(editorState& editor, const menuNode& node, HTREEITEM parent, HTREEITEM insertAfter) {
    HWND tree = editor.tree;
    treeRedrawPause pause(tree);
    // A folder not filled yet first takes its own children: the new entry goes among them.
    if (parent && parent != TVI_ROOT) fillChildrenNow(editor, parent);
    std::vector<menuNode*> wayToSelect;
    if (editor.preselectId != 0)
        if (const menuItem* wanted = app().model.registry.findById(editor.preselectId))
            wayToSelect = pathTo(const_cast<menuNode&>(node), wanted);
    auto fillsNow = [&](const menuNode& folder) {
        return isExpandedItem(*folder.item) ||
               std::find(wayToSelect.begin(), wayToSelect.end(), &folder) != wayToSelect.end();
    };
    HTREEITEM result = nullptr;
    HTREEITEM under = parent;
    if (!parent || parent == TVI_ROOT) {
        editor.rootEntry = insertRootEntry(tree);
        under = result = editor.rootEntry;
    } else if (node.item) {
        const bool later = node.hasChildren() && !fillsNow(node);
        under = result = insertEntry(tree, parent, insertAfter, *node.item, node.hasChildren(), later);
        adoptEntry(editor, node, result);
        if (later) {
            if (result) keepChildrenForLater(editor, result, node);
            return result;
        }
    }
    struct level {
        const menuNode* node;
        HTREEITEM entry;
        size_t next;
    };
    std::vector<level> levels{{&node, under, 0}};
    const bool carrier = parent && parent != TVI_ROOT && !node.item;
    while (!levels.empty()) {
        level& top = levels.back();
        if (top.next == top.node->childCount()) {
            levels.pop_back();
            continue;
        }
        const menuNode& child = top.node->children[top.next++];
        if (!child.item) continue;
        const bool later = child.hasChildren() && !fillsNow(child);
        HTREEITEM entry = insertEntry(tree, top.entry, TVI_LAST, *child.item, child.hasChildren(), later);
        if (!entry) continue;
        adoptEntry(editor, child, entry);
        if (carrier && levels.size() == 1) result = entry;
        if (later)
            keepChildrenForLater(editor, entry, child);
        else if (child.hasChildren())
            levels.push_back({&child, entry, 0});
    }
    return result;
}

// Entries not filled yet give copies of the children kept for them.
menuNode copyEditorSubtree(const editorState& editor, HTREEITEM entry) {
    HWND tree = editor.tree;
    if (!entry) entry = editor.rootEntry;
    auto shared = [&](HTREEITEM of) {
        const menuItem* item = entryItem(tree, of);
        auto found = item ? editor.items.find(item) : editor.items.end();
        return found == editor.items.end() ? itemRef() : found->second;
    };
    // The entry's first child, or null after taking the children kept for it.
    auto firstChildOf = [&](HTREEITEM of, menuNode& into) -> HTREEITEM {
        if (const menuNode* later = childrenForLater(editor, of)) {
            into.children = shareChildren(*later).children;
            return nullptr;
        }
        return firstChildEntry(tree, of);
    };
    menuNode copy(shared(entry));
    struct level {
        menuNode* node;
        HTREEITEM child;
    };
    std::vector<level> levels{{&copy, firstChildOf(entry, copy)}};
    while (!levels.empty()) {
        level& top = levels.back();
        if (!top.child) {
            levels.pop_back();
            continue;
        }
        HTREEITEM child = top.child;
        top.child = nextSibling(tree, child);
        top.node->appendChild(menuNode(shared(child)));
        // The new child may have moved its siblings, but not itself: take it now.
        menuNode* added = &top.node->lastChild();
        if (HTREEITEM grandChild = firstChildOf(child, *added)) levels.push_back({added, grandChild});
    }
    return copy;
}

void insertAtSelection(editorState& editor, const menuNode& node) {
    HWND tree = editor.tree;
    HTREEITEM selected = editor.selectedEntry ? editor.selectedEntry : editor.rootEntry;
    HTREEITEM parent = editor.rootEntry;
    HTREEITEM after = TVI_LAST;
    if (selected == editor.rootEntry) {
        after = TVI_FIRST;
    } else if (HTREEITEM selectedParent = parentEntry(tree, selected)) {
        if (hasChildEntries(tree, selected) && isExpanded(tree, selected)) {
            parent = selected;
            after = TVI_FIRST;
        } else {
            parent = selectedParent;
            after = selected;
        }
    }
    HTREEITEM entry = fillEditorTree(editor, node, parent, after);
    if (entry) selectEntry(tree, entry);
    refreshEntryIcon(editor, parent);
}

void refreshEntryIcon(editorState& editor, HTREEITEM entry) {
    if (!entry || entry == TVI_ROOT || entry == editor.rootEntry) return;
    menuItem* item = entryItem(editor.tree, entry);
    if (!item) return;
    setEntryImage(editor.tree, entry,
                  entryImage(*item, hasChildEntries(editor.tree, entry), isExpanded(editor.tree, entry)));
}

void onTreeGetDispInfo(NMTVDISPINFOA& info) {
    if (!(info.item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE))) return;
    auto* item = reinterpret_cast<menuItem*>(info.item.lParam);
    if (!item) return;
    HWND tree = info.hdr.hwndFrom;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int index = iconIndex(*item, hasChildEntries(tree, info.item.hItem), true, isExpanded(tree, info.item.hItem), false);
    SetCursor(previous);
    info.item.iImage = info.item.iSelectedImage = index;
    info.item.mask |= TVIF_DI_SETITEM;
}

void onTreeItemExpanding(editorState& editor, const NMTREEVIEWA& change) {
    if (change.action & TVE_EXPAND) fillChildrenNow(editor, change.itemNew.hItem);
}

void onTreeItemExpanded(editorState& editor, const NMTREEVIEWA& change) {
    auto* item = reinterpret_cast<menuItem*>(change.itemNew.lParam);
    if (!item) return;
    const bool expanded = (change.itemNew.state & TVIS_EXPANDED) != 0;
    if (expanded)
        item->extKey |= extKeyExpanded;
    else
        item->extKey &= static_cast<uint8_t>(~extKeyExpanded);
    setEntryImage(editor.tree, change.itemNew.hItem,
                  entryImage(*item, hasChildEntries(editor.tree, change.itemNew.hItem), expanded));
}

}  // namespace tv
