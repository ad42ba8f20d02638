#include "editor/editor_tree.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/pending_children.h"
#include "model/menu_model.h"
#include "popup/date_now.h"
#include "shell/app_state.h"
#include "shell/icon_source.h"
#include "shell/item_icons.h"

namespace tv {

namespace {

HTREEITEM nextEntry(HWND tree, HTREEITEM entry, UINT how) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(entry)));
}

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

// The tree view refigures its scroll range over every entry shown whenever an
// entry goes into an open folder: a level of many entries is filled closed
// and opened once, deepest first so that each opening has little to show.
void openFilledFolders(HWND tree, const std::vector<HTREEITEM>& folders) {
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(*folder));
}

// Entries that many or more go into an open folder while it is closed.
constexpr size_t manyEntries = 64;

// Keeps the selected entry and the first one in view across closing and
// opening a folder (closing it selects the folder when the selection was
// inside); the pane does not follow meanwhile.
class treeViewKeeper {
public:
    explicit treeViewKeeper(editorState& editor)
        : editor_(editor),
          selected_(nextEntry(editor.tree, nullptr, TVGN_CARET)),
          firstShown_(nextEntry(editor.tree, nullptr, TVGN_FIRSTVISIBLE)) {
        editor_.quietSelection = true;
    }
    ~treeViewKeeper() {
        if (selected_) selectEntry(editor_.tree, selected_);
        if (firstShown_)
            SendMessageA(editor_.tree, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(firstShown_));
        editor_.quietSelection = false;
    }
    treeViewKeeper(const treeViewKeeper&) = delete;
    treeViewKeeper& operator=(const treeViewKeeper&) = delete;

private:
    editorState& editor_;
    HTREEITEM selected_;
    HTREEITEM firstShown_;
};

}  // namespace

HTREEITEM asEntry(entryTree::entry entry) { return const_cast<HTREEITEM>(static_cast<const _TREEITEM*>(entry)); }

menuItem* entryItem(HWND tree, HTREEITEM entry) { return entriesOf(tree).item(entry).get(); }

namespace {

// An item that only the editor holds is its own to change; one it shares with
// the running menu is copied first, so the popup menu, the keys and the
// abbreviations go on with what was saved until the editor saves.
bool sharedWithRunningMenu(const itemRef& item) { return item.use_count() > 1; }

}  // namespace

menuItem* editableItem(editorState& editor, HTREEITEM entry) {
    const itemRef& held = editor.entries.item(entry);
    if (!held || !sharedWithRunningMenu(held)) return held.get();
    itemRef copy = app().model.copyForEditing(*held);
    TVITEMA change{};
    change.mask = TVIF_PARAM;
    change.hItem = entry;
    change.lParam = reinterpret_cast<LPARAM>(copy.get());
    SendMessageA(editor.tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    if (editor.selectedEntry == entry) editor.selectedItem = copy.get();
    editor.entries.setItem(entry, copy);
    return copy.get();
}

menuItem* editableRootItem(editorState& editor) {
    if (editor.rootItem && sharedWithRunningMenu(editor.rootItem))
        editor.rootItem = app().model.copyForEditing(*editor.rootItem);
    return editor.rootItem.get();
}

HTREEITEM parentEntry(HWND tree, HTREEITEM entry) { return asEntry(entriesOf(tree).parent(entry)); }
HTREEITEM previousSibling(HWND tree, HTREEITEM entry) { return asEntry(entriesOf(tree).previous(entry)); }
// The entries the tree does not show yet come in as the way goes.
HTREEITEM nextSibling(HWND tree, HTREEITEM entry) {
    if (editorState* editor = editorOf(GetParent(tree))) fillPastEntry(*editor, entry);
    return asEntry(entriesOf(tree).next(entry));
}

HTREEITEM firstChildEntry(HWND tree, HTREEITEM entry) {
    if (editorState* editor = editorOf(GetParent(tree))) fillFirstPage(*editor, entry);
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

namespace {

// Children kept for later come after those in the tree: what goes at the end
// of such a level joins them (true), or, for one entry (which is then
// selected), comes after them all put in.
bool joinsKeptChildren(editorState& editor, const menuNode& node, HTREEITEM parent, HTREEITEM insertAfter) {
    if (!parent || parent == TVI_ROOT || insertAfter != TVI_LAST) return false;
    menuNode* kept = childrenForLater(editor, parent);
    if (!kept) return false;
    if (node.item) {
        fillChildrenNow(editor, parent);
        return false;
    }
    for (menuNode& child : shareChildren(node).children) kept->children.push_back(std::move(child));
    return true;
}

// What one fill decides as it goes: which folders it fills now and opens
// afterwards, how much of a level it shows, and the entry it selects.
class fillPlan {
public:
    fillPlan(editorState& editor, const menuNode& node, size_t pageLimit) : editor_(editor), pageLimit_(pageLimit) {
        if (editor.preselectId != 0)
            if (const menuItem* wanted = app().model.registry.findById(editor.preselectId))
                wayToSelect_ = pathTo(const_cast<menuNode&>(node), wanted);
    }

    // A folder shown open, or on the way to the entry to select, is filled now.
    bool fillsNow(const menuNode& folder) const { return isExpandedItem(*folder.item) || onTheWay(folder); }
    // The level of the entry to select is filled whole, so that it can be.
    size_t pageOf(const menuNode& folder) const { return onTheWay(folder) ? SIZE_MAX : pageLimit_; }

    // Notes the entry made for the node: to open afterwards, or to select.
    void made(const menuNode& node, HTREEITEM entry, bool filledNow) {
        if (editor_.preselectId != 0 && node.item->itemId == editor_.preselectId) preselected_ = entry;
        if (filledNow && node.hasChildren() && isExpandedItem(*node.item)) toOpen_.push_back(entry);
    }
    void openAfterwards(HTREEITEM folder) { toOpen_.push_back(folder); }

    void openFolders() const { openFilledFolders(editor_.tree, toOpen_); }
    // Selecting an entry opens the folders above it: only once they are full.
    void selectPreselected() const {
        if (preselected_) selectEntry(editor_.tree, preselected_);
    }

private:
    bool onTheWay(const menuNode& folder) const {
        return std::find(wayToSelect_.begin(), wayToSelect_.end(), &folder) != wayToSelect_.end();
    }

    editorState& editor_;
    size_t pageLimit_;
    std::vector<menuNode*> wayToSelect_;
    std::vector<HTREEITEM> toOpen_;  // folders filled closed that show open
    HTREEITEM preselected_ = nullptr;
};

// Inserts the node's children under `under`, any depth, depth first with a
// stack of its own: the depth comes from a file the user may have edited by
// hand. A folder not filled now keeps its children for later, and so does a
// level for what comes after its page. Returns the last entry made for one
// of the node's own children.
HTREEITEM fillChildren(editorState& editor, fillPlan& plan, const menuNode& node, HTREEITEM under) {
    struct level {
        const menuNode* node;
        HTREEITEM entry;
        size_t next;
        size_t pageLimit;
    };
    HTREEITEM lastOfNode = nullptr;
    std::vector<level> levels{{&node, under, 0, plan.pageOf(node)}};
    while (!levels.empty()) {
        level& top = levels.back();
        if (top.next == top.node->childCount()) {
            levels.pop_back();
            continue;
        }
        if (top.next >= top.pageLimit) {
            keepChildrenForLater(editor, top.entry, *top.node, top.next);
            levels.pop_back();
            continue;
        }
        const menuNode& child = top.node->children[top.next++];
        if (!child.item) continue;
        const bool later = child.hasChildren() && !plan.fillsNow(child);
        HTREEITEM entry = insertEntry(editor, top.entry, TVI_LAST, child.item, child.hasChildren(), later);
        if (!entry) continue;
        plan.made(child, entry, !later);
        if (levels.size() == 1) lastOfNode = entry;
        if (later)
            keepChildrenForLater(editor, entry, child);
        else if (child.hasChildren())
            levels.push_back({&child, entry, 0, plan.pageOf(child)});
    }
    return lastOfNode;
}

}  // namespace

HTREEITEM fillEditorTree(editorState& editor, const menuNode& node, HTREEITEM parent, HTREEITEM insertAfter,
                         size_t pageLimit) {
    HWND tree = editor.tree;
    treeRedrawPause pause(tree);
    if (joinsKeptChildren(editor, node, parent, insertAfter)) return nullptr;
    fillPlan plan(editor, node, pageLimit);
    const bool carrier = parent && parent != TVI_ROOT && !node.item;
    HTREEITEM under = parent;
    HTREEITEM result = nullptr;
    if (!parent || parent == TVI_ROOT) {
        editor.rootEntry = under = result = insertRootEntry(editor);
        editor.rootItem = node.item;
        plan.openAfterwards(result);
    } else if (node.item) {
        const bool later = node.hasChildren() && !plan.fillsNow(node);
        under = result = insertEntry(editor, parent, insertAfter, node.item, node.hasChildren(), later);
        if (!result) return nullptr;
        plan.made(node, result, !later);
        if (later) {
            keepChildrenForLater(editor, result, node);
            plan.selectPreselected();
            return result;
        }
    }
    // Many entries into a folder shown open go in while it is closed; the view
    // and the selection are as before once it is open again.
    std::optional<treeViewKeeper> keeper;
    if (carrier && node.childCount() >= manyEntries && isExpanded(tree, parent)) {
        keeper.emplace(editor);
        SendMessageA(tree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(parent));
        plan.openAfterwards(parent);
    }
    HTREEITEM last = fillChildren(editor, plan, node, under);
    if (carrier) result = last;
    plan.openFolders();
    keeper.reset();
    plan.selectPreselected();
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
    if (change.action & TVE_EXPAND) fillFirstPage(editor, change.itemNew.hItem);
}

void onTreeDeleteItem(editorState& editor, const NMTREEVIEWA& change) {
    forgetChildrenForLater(editor, change.itemOld.hItem);
    editor.entries.remove(change.itemOld.hItem);
}

void onTreeItemExpanded(editorState& editor, const NMTREEVIEWA& change) {
    auto* item = reinterpret_cast<menuItem*>(change.itemNew.lParam);
    if (!item) return;
    const bool expanded = (change.itemNew.state & TVIS_EXPANDED) != 0;
    // The open folders are saved with the menu.
    if (expanded != isExpandedItem(*item)) item = editableItem(editor, change.itemNew.hItem);
    if (!item) return;
    if (expanded)
        item->extKey |= extKeyExpanded;
    else
        item->extKey &= static_cast<uint8_t>(~extKeyExpanded);
    setEntryImage(editor.tree, change.itemNew.hItem,
                  entryImage(*item, hasChildEntries(editor.tree, change.itemNew.hItem), expanded));
}

}  // namespace tv
