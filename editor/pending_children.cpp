#include "editor/pending_children.h"

#include <utility>
#include <vector>

#include "editor/editor_tree.h"

namespace tv {

namespace {

int fillDepth = 0;  // fills in progress: an outer one turns redrawing back on
bool redrawPaused = false;

void setChildrenFlag(HWND tree, HTREEITEM entry, int children) {
    TVITEMA change{};
    change.mask = TVIF_CHILDREN;
    change.hItem = entry;
    change.cChildren = children;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

bool asksForChildren(UINT message, WPARAM wParam) {
    if (message == TVM_GETNEXTITEM) return wParam == TVGN_CHILD;
    // TVE_TOGGLE holds the TVE_EXPAND bit; TVE_COLLAPSE does not.
    return message == TVM_EXPAND && (wParam & TVE_EXPAND) != 0;
}

LRESULT CALLBACK treeFillProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (asksForChildren(message, wParam) && lParam) {
        if (editorState* editor = editorOf(GetParent(tree)))
            fillChildrenNow(*editor, reinterpret_cast<HTREEITEM>(lParam));
    }
    return DefSubclassProc(tree, message, wParam, lParam);
}

}  // namespace

void keepChildrenForLater(editorState& editor, HTREEITEM entry, const menuNode& node) {
    editor.childrenLater[entry] = shareChildren(node);
}

bool hasChildrenForLater(HWND tree, HTREEITEM entry) {
    const editorState* editor = editorOf(GetParent(tree));
    return editor && childrenForLater(*editor, entry) != nullptr;
}

const menuNode* childrenForLater(const editorState& editor, HTREEITEM entry) {
    auto found = editor.childrenLater.find(entry);
    return found == editor.childrenLater.end() ? nullptr : &found->second;
}

menuNode* childrenForLater(editorState& editor, HTREEITEM entry) {
    auto found = editor.childrenLater.find(entry);
    return found == editor.childrenLater.end() ? nullptr : &found->second;
}

void fillChildrenNow(editorState& editor, HTREEITEM entry) {
    auto found = editor.childrenLater.find(entry);
    if (found == editor.childrenLater.end()) return;
    menuNode children = std::move(found->second);
    editor.childrenLater.erase(found);
    // From now on the entry's own children show its button, as for any other.
    setChildrenFlag(editor.tree, entry, 0);
    fillEditorTree(editor, children, entry, TVI_LAST);
}

void forgetChildrenForLater(editorState& editor, HTREEITEM entry) {
    if (!editor.childrenLater.empty()) editor.childrenLater.erase(entry);
}

void subclassTreeFill(HWND tree) { SetWindowSubclass(tree, treeFillProc, 2, 0); }

// A hidden tree is not drawn anyway, and WM_SETREDRAW must not show it.
treeRedrawPause::treeRedrawPause(HWND tree) : tree_(tree) {
    if (fillDepth++ > 0) return;
    redrawPaused = IsWindowVisible(tree) != FALSE;
    if (redrawPaused) SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
}

treeRedrawPause::~treeRedrawPause() {
    if (--fillDepth > 0 || !redrawPaused) return;
    redrawPaused = false;
    SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
}

}  // namespace tv
