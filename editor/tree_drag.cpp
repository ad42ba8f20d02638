#include "editor/tree_drag.h"

#include "editor/editor_tree.h"
#include "editor/tree_commands.h"

namespace tv {

namespace {

HTREEITEM entryUnderPointer(HWND tree, POINT& inTree) {
    GetCursorPos(&inTree);
    ScreenToClient(tree, &inTree);
    TVHITTESTINFO hit{};
    hit.pt = inTree;
    auto entry = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON) ? entry : nullptr;
}

HIMAGELIST dragImage = nullptr;

}  // namespace

void onTreeBeginDrag(editorState& editor, const NMTREEVIEWA& start) {
    HTREEITEM dragged = start.itemNew.hItem;
    if (!dragged || dragged == editor.rootEntry) return;
    dragState& drag = editor.drag;
    SetCapture(editor.window);
    drag.target = nullptr;
    dragImage = reinterpret_cast<HIMAGELIST>(
        SendMessageA(editor.tree, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(dragged)));
    selectEntry(editor.tree, dragged);
    drag.offset = {-8, -8};
    if (dragImage) {
        ImageList_BeginDrag(dragImage, 0, 0, 0);
        ImageList_DragEnter(editor.tree, start.ptDrag.x + drag.offset.x, start.ptDrag.y + drag.offset.y);
    }
    drag.dragged = dragged;
    drag.dragging = true;
}

void onDragMove(editorState& editor) {
    dragState& drag = editor.drag;
    POINT inTree{};
    HTREEITEM hit = entryUnderPointer(editor.tree, inTree);
    ImageList_DragMove(inTree.x + drag.offset.x, inTree.y + drag.offset.y);
    // An entry cannot go inside itself: its descendants never become targets.
    if (!hit || hit == drag.target || isAncestorOrSelf(editor.tree, drag.dragged, hit)) return;
    drag.target = hit;
    ImageList_DragLeave(editor.tree);
    SendMessageA(editor.tree, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(hit));
    ImageList_DragEnter(editor.tree, inTree.x + drag.offset.x, inTree.y + drag.offset.y);
}

void onDragEnd(editorState& editor, bool drop) {
    dragState& drag = editor.drag;
    // The pointer may have reached the entry with no move seen since the drag began.
    if (drop) onDragMove(editor);
    ImageList_DragLeave(editor.tree);
    ImageList_EndDrag();
    if (dragImage) ImageList_Destroy(dragImage);
    dragImage = nullptr;
    drag.dragging = false;
    ReleaseCapture();
    SendMessageA(editor.tree, TVM_SELECTITEM, TVGN_DROPHILITE, 0);
    HTREEITEM target = drag.target;
    drag.target = nullptr;
    if (!drop || !target || target == drag.dragged) return;
    markModified();
    moveEntry(editor, drag.dragged, target, TVI_FIRST);
}

}  // namespace tv
