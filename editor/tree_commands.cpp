#include "editor/tree_commands.h"

#include "editor/editor_hotkeys.h"
#include "editor/editor_tree.h"
#include "editor/item_text_rules.h"
#include "editor/properties_pane.h"
#include "editor/tree_sort.h"
#include "model/tree_walk.h"
#include "popup/execute.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/window_text.h"

namespace tv {

namespace {

menuNode makeItemNode(itemFields fields) {
    menuNode node;
    app().model.createItem(node, std::move(fields));
    return node;
}

// An entry other than the root entry, or null.
HTREEITEM movableSelection(const editorState& editor) {
    HTREEITEM entry = editor.selectedEntry;
    return entry && entry != editor.rootEntry ? entry : nullptr;
}

// Where an entry that leaves its folder goes: right after the folder.
void moveOutOf(editorState& editor, HTREEITEM entry, HTREEITEM folder, bool beforeFolder) {
    HWND tree = editor.tree;
    HTREEITEM grandParent = parentEntry(tree, folder);
    HTREEITEM parent = grandParent ? grandParent : TVI_ROOT;
    HTREEITEM after = folder;
    if (beforeFolder) {
        HTREEITEM previous = previousSibling(tree, folder);
        after = previous ? previous : TVI_FIRST;
    }
    moveEntry(editor, entry, parent, after);
}

}  // namespace

void moveEntry(editorState& editor, HTREEITEM entry, HTREEITEM parent, HTREEITEM after) {
    HWND tree = editor.tree;
    HTREEITEM oldParent = parentEntry(tree, entry);
    menuNode moved = copyEditorSubtree(editor, entry);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(entry));
    HTREEITEM placed = fillEditorTree(editor, moved, parent, after);
    if (placed) selectEntry(tree, placed);
    refreshEntryIcon(editor, parent);
    refreshEntryIcon(editor, oldParent);
}

void newItem(editorState& editor) {
    itemFields fields;
    fields.text = "New";
    menuNode node = makeItemNode(std::move(fields));
    markModified();
    insertAtSelection(editor, node);
    SetFocus(editor.displayText);
    SendMessageA(editor.displayText, EM_SETSEL, 0, -1);
}

void newFolder(editorState& editor) {
    itemFields fields;
    fields.text = "新しいフォルダ";
    // Opened in the tree, so the user sees the item it was made with.
    fields.extKey = extKeyExpanded;
    menuNode folder = makeItemNode(std::move(fields));
    itemFields child;
    child.text = "New";
    folder.children.push_back(makeItemNode(std::move(child)));
    markModified();
    insertAtSelection(editor, folder);
    SetFocus(editor.tree);
    SendMessageA(editor.tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(editor.selectedEntry));
}

void addCopyFromPane(editorState& editor) {
    SetFocus(editor.tree);
    markModified();
    itemFields fields;
    fields.text = fieldDisplayText(editor.displayText);
    codePageText content = fieldContent(editor, editor.selectedItem);
    fields.data = std::move(content.bytes);
    fields.unicodeEscapes = content.unicodeEscapes;
    LRESULT mode = SendMessageA(editor.modeList, CB_GETCURSEL, 0, 0);
    fields.mode = static_cast<uint8_t>(mode < 0 ? 0 : mode);
    if (fields.data.empty() && (fields.mode == itemMode::inputDataString || fields.mode == itemMode::exeProgram))
        fields.data = fields.text;
    if (editor.selectedItem) {
        fields.extIconFileName = editor.selectedItem->extIconFileName;
        fields.extIconIndex = editor.selectedItem->extIconIndex;
    }
    insertAtSelection(editor, makeItemNode(std::move(fields)));
}

void deleteSelected(editorState& editor) {
    HTREEITEM entry = movableSelection(editor);
    if (!entry) return;
    markModified();
    HWND tree = editor.tree;
    HTREEITEM parent = parentEntry(tree, entry);
    menuNode removed = copyEditorSubtree(editor, entry);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(entry));
    // A deleted item gives up its corner too: its id goes back to the pool, and
    // a new item with that id must not inherit the corner.
    walkTree(
        removed,
        [&](const menuNode& node, size_t, size_t) {
            if (!node.item) return;
            app().model.corners.setCorner(node.item->itemId, 0);
        },
        [](const menuNode&, size_t) {});
    // The items go with `removed`, except those the running menu still shows
    // until the editor saves.
    refreshEntryIcon(editor, parent);
}

void moveSelectedUp(editorState& editor) {
    markModified();
    HTREEITEM entry = movableSelection(editor);
    if (!entry) return;
    HWND tree = editor.tree;
    HTREEITEM parent = parentEntry(tree, entry);
    HTREEITEM previous = previousSibling(tree, entry);
    if (previous && hasChildEntries(tree, previous) && isExpanded(tree, previous)) {
        moveEntry(editor, entry, previous, TVI_LAST);
    } else if (previous) {
        HTREEITEM beforePrevious = previousSibling(tree, previous);
        moveEntry(editor, entry, parent ? parent : TVI_ROOT, beforePrevious ? beforePrevious : TVI_FIRST);
    } else if (parent && parent != editor.rootEntry) {
        moveOutOf(editor, entry, parent, true);
    }
}

void moveSelectedDown(editorState& editor) {
    markModified();
    HTREEITEM entry = movableSelection(editor);
    if (!entry) return;
    HWND tree = editor.tree;
    HTREEITEM next = nextSibling(tree, entry);
    if (next && hasChildEntries(tree, next) && isExpanded(tree, next)) {
        moveEntry(editor, entry, next, TVI_FIRST);
    } else if (next) {
        HTREEITEM parent = parentEntry(tree, next);
        moveEntry(editor, entry, parent ? parent : TVI_ROOT, next);
    } else {
        moveSelectedLeft(editor);
    }
}

void moveSelectedRight(editorState& editor) {
    markModified();
    HTREEITEM entry = movableSelection(editor);
    if (!entry) return;
    if (HTREEITEM previous = previousSibling(editor.tree, entry)) moveEntry(editor, entry, previous, TVI_LAST);
}

void moveSelectedLeft(editorState& editor) {
    markModified();
    HTREEITEM entry = movableSelection(editor);
    if (!entry) return;
    HTREEITEM parent = parentEntry(editor.tree, entry);
    if (!parent || parent == editor.rootEntry) return;
    moveOutOf(editor, entry, parent, false);
}

void sortSelected(editorState& editor, sortOrder order, bool descending) {
    markModified();
    if (editor.selectedEntry) sortEntryChildren(editor, editor.selectedEntry, order, descending);
}

void startRename(editorState& editor) {
    if (HTREEITEM entry = movableSelection(editor))
        SendMessageA(editor.tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(entry));
}

BOOL onBeginLabelEdit(editorState& editor, const NMTVDISPINFOA& info) {
    // The root entry stands for the whole menu and has no text of its own.
    if (info.item.hItem == editor.rootEntry) return TRUE;
    setLabelEditing(editor, true);
    // The tree's label edit takes 259 characters and has been given the label
    // cut to that: a longer text is edited in full, as the item holds it.
    HWND edit = TreeView_GetEditControl(editor.tree);
    menuItem* item = entryItem(editor.tree, info.item.hItem);
    if (edit && item && !labelShowsDate(*item)) {
        SendMessageA(edit, EM_LIMITTEXT, 0, 0);
        setWindowText932(edit, item->text);
    }
    editor.labelEditStart = edit ? fieldDisplayText(edit) : std::string();
    return FALSE;
}

BOOL onEndLabelEdit(editorState& editor, const NMTVDISPINFOA& info) {
    setLabelEditing(editor, false);
    if (!info.item.pszText) return FALSE;  // cancelled
    // The notification carries at most 259 characters; the edit still holds them all.
    HWND edit = TreeView_GetEditControl(editor.tree);
    if (edit && refuseLackingCharacter(editor, windowTextUtf16(edit), IDM_EDITOR_REFUSED_CHARACTER)) return FALSE;
    const std::string typed = edit ? fieldDisplayText(edit) : oneLineText(info.item.pszText);
    menuItem* item = entryItem(editor.tree, info.item.hItem);
    // A rename that changed nothing changes nothing (a date item keeps its
    // format), and a date item's label is its expanded format: what was typed
    // over it is dropped.
    if (!item || typed == editor.labelEditStart || item->mode == itemMode::dateTimeExt) return FALSE;
    markModified();
    item = editableItem(editor, info.item.hItem);
    item->text = typed;
    setEntryLabel(editor.tree, info.item.hItem, entryLabel(*item));
    if (item == editor.selectedItem) showDisplayText(editor, item->text);
    return FALSE;  // the label is set above, expanded for a newDateTime item
}

void runSelectedItem(editorState& editor) {
    if (editor.selectedEntry && hasChildEntries(editor.tree, editor.selectedEntry)) {
        settingsMessage(editor.window, "フォルダになっている項目は動きません", MB_ICONINFORMATION);
        return;
    }
    menuItem* item = editor.selectedItem;
    if (!item) return;
    if (item->mode == itemMode::clipBoardHistory)
        settingsMessage(editor.window, "クリップボード履歴は動きません", MB_ICONINFORMATION);
    executeItem(*item, false);
}

}  // namespace tv
