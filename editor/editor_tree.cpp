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

// The structure of the editor's tree, from memory: asking the tree view costs
// time that grows with its entries.
const entryTree& entriesOf(HWND tree) {
    static const entryTree none;
    const editorState* editor = editorOf(GetParent(tree));
    return editor ? editor->entries : none;
}

// Notes an entry the tree view has just made where it made it.
void recordEntry(editorState& editor, HTREEITEM entry, HTREEITEM parent, HTREEITEM after, itemRef item) {
    if (!entry) return;
    const entryTree::entry under = parent == TVI_ROOT ? nullptr : parent;
    if (after == TVI_FIRST)
        editor.entries.insertFirst(entry, under, std::move(item));
    else if (after == TVI_LAST)
        editor.entries.insertLast(entry, under, std::move(item));
    else
        editor.entries.insertAfter(entry, after, std::move(item));
}

// The image an entry shows now, or I_IMAGECALLBACK when the item's icon must
// first be taken from a file: that waits until the entry is drawn.
int entryImage(menuItem& item, bool hasChildren, bool expanded) {
    int index = iconIndex(item, hasChildren, true, expanded, true);
    return index == -1 ? I_IMAGECALLBACK : index;
}

bool isExpandedItem(const menuItem& item) { return (item.extKey & extKeyExpanded) != 0; }

// childrenLater: the children are kept aside; the entry shows its button all the
// same. A folder goes in closed: fillEditorTree opens it once its children are in.
HTREEITEM insertEntry(editorState& editor, HTREEITEM parent, HTREEITEM after, const itemRef& shown, bool hasChildren,
                      bool childrenLater) {
    menuItem& item = *shown;
    std::string label = entryLabel(item);
    const bool expanded = isExpandedItem(item) && !hasChildren;
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
    auto entry = reinterpret_cast<HTREEITEM>(SendMessageA(editor.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    recordEntry(editor, entry, parent, after, shown);
    return entry;
}

// Closed at first, like any folder: fillEditorTree opens it once it is filled.
HTREEITEM insertRootEntry(editorState& editor) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(rootEntryLabel);
    insert.item.lParam = 0;
    insert.item.stateMask = TVIS_EXPANDED;
    insert.item.state = 0;
    insert.item.iImage = insert.item.iSelectedImage = standardIconIndex(iconSlot::application);
    auto entry = reinterpret_cast<HTREEITEM>(SendMessageA(editor.tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    recordEntry(editor, entry, TVI_ROOT, TVI_LAST, itemRef());
    return entry;
}

void setEntryImage(HWND tree, HTREEITEM entry, int image) {
    TVITEMA change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = entry;
    change.iImage = change.iSelectedImage = image;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

// Notes the entry when it is the one the editor was opened for.
void notePreselected(const editorState& editor, const menuNode& node, HTREEITEM entry, HTREEITEM& preselected) {
    if (editor.preselectId != 0 && node.item->itemId == editor.preselectId) preselected = entry;
}

// The tree view refigures its scroll range over every entry shown whenever an
// entry goes into an open folder: a level of many entries is filled closed
// and opened once, deepest first so that each opening has little to show.
void openFilledFolders(HWND tree, const std::vector<HTREEITEM>& folders) {
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(*folder));
}

// Entries that many or more go into an open folder while it is closed.
constexpr size_t manyEntries = 64;

}  // namespace

HTREEITEM asEntry(entryTree::entry entry) { return const_cast<HTREEITEM>(static_cast<const _TREEITEM*>(entry)); }

menuItem* entryItem(HWND tree, HTREEITEM entry) { return entriesOf(tree).item(entry).get(); }

HTREEITEM parentEntry(HWND tree, HTREEITEM entry) { return asEntry(entriesOf(tree).parent(entry)); }
HTREEITEM previousSibling(HWND tree, HTREEITEM entry) { return asEntry(entriesOf(tree).previous(entry)); }
HTREEITEM nextSibling(HWND tree, HTREEITEM entry) { return asEntry(entriesOf(tree).next(entry)); }

// A folder not filled yet is filled first.
HTREEITEM firstChildEntry(HWND tree, HTREEITEM entry) {
    if (editorState* editor = editorOf(GetParent(tree))) fillChildrenNow(*editor, entry);
    return asEntry(entriesOf(tree).firstChild(entry));
}

// Fills nothing: a folder not filled yet has its children kept for later.
bool hasChildEntries(HWND tree, HTREEITEM entry) {
    return hasChildrenForLater(tree, entry) || entriesOf(tree).firstChild(entry) != nullptr;
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
    HTREEITEM preselected = nullptr;
    std::vector<HTREEITEM> toOpen;  // folders filled closed that show open
    if (!parent || parent == TVI_ROOT) {
        editor.rootEntry = insertRootEntry(editor);
        under = result = editor.rootEntry;
        toOpen.push_back(result);
    } else if (node.item) {
        const bool later = node.hasChildren() && !fillsNow(node);
        under = result = insertEntry(editor, parent, insertAfter, node.item, node.hasChildren(), later);
        if (result) notePreselected(editor, node, result, preselected);
        if (later) {
            if (result) keepChildrenForLater(editor, result, node);
            if (preselected) selectEntry(tree, preselected);
            return result;
        }
        if (result && node.hasChildren() && isExpandedItem(*node.item)) toOpen.push_back(result);
    } else if (node.childCount() >= manyEntries && isExpanded(tree, parent)) {
        SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
        toOpen.push_back(parent);
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
        HTREEITEM entry = insertEntry(editor, top.entry, TVI_LAST, child.item, child.hasChildren(), later);
        if (!entry) continue;
        notePreselected(editor, child, entry, preselected);
        if (carrier && levels.size() == 1) result = entry;
        if (later) {
            keepChildrenForLater(editor, entry, child);
        } else if (child.hasChildren()) {
            if (isExpandedItem(*child.item)) toOpen.push_back(entry);
            levels.push_back({&child, entry, 0});
        }
    }
    openFilledFolders(tree, toOpen);
    // Selecting an entry opens the folders above it: only once they are full.
    if (preselected) selectEntry(tree, preselected);
    return result;
}

// Entries not filled yet give copies of the children kept for them.
menuNode copyEditorSubtree(const editorState& editor, HTREEITEM entry) {
    return editor.entries.copy(entry ? entry : editor.rootEntry, [&](entryTree::entry of) {
        return childrenForLater(editor, asEntry(of));
    });
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

void onTreeDeleteItem(editorState& editor, const NMTREEVIEWA& change) {
    forgetChildrenForLater(editor, change.itemOld.hItem);
    editor.entries.remove(change.itemOld.hItem);
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
