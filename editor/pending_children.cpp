#include "editor/pending_children.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

#include "editor/editor_tree.h"

namespace tv {

namespace {

int fillDepth = 0;  // fills in progress: an outer one turns redrawing back on
bool redrawPaused = false;
bool fillingPages = false;  // the pages' own expanding and selecting ask for no more

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

// Anything that can bring the end of a page into view.
bool movesTheView(UINT message) {
    switch (message) {
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SIZE:
    case TVM_ENSUREVISIBLE:
    case TVM_SELECTITEM:
    case TVM_EXPAND:
    case TVM_DELETEITEM: return true;
    default: return false;
    }
}

// Above the tree's bottom edge, or scrolled past; false when hidden in a closed folder.
bool shownOrPassed(HWND tree, HTREEITEM entry, const RECT& client) {
    // TVM_GETITEMRECT takes the entry in the rectangle it fills.
    RECT rect{};
    static_assert(sizeof rect >= sizeof entry, "a RECT holds a handle");
    memcpy(&rect, &entry, sizeof entry);
    return SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)) && rect.top < client.bottom;
}

// An open level whose last entry shown is in view (or that has none left)
// gets its next page.
void fillPagesInView(editorState& editor) {
    if (editor.pagedLevels.empty() || fillingPages) return;
    RECT client{};
    GetClientRect(editor.tree, &client);
    std::vector<HTREEITEM> due;
    for (HTREEITEM level : editor.pagedLevels) {
        if (!isExpanded(editor.tree, level)) continue;
        HTREEITEM last = asEntry(editor.entries.lastChild(level));
        if (!last || shownOrPassed(editor.tree, last, client)) due.push_back(level);
    }
    for (HTREEITEM level : due) fillNextPage(editor, level);
}

LRESULT CALLBACK treeFillProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    editorState* editor = editorOf(GetParent(tree));
    if (!editor) return DefSubclassProc(tree, message, wParam, lParam);
    auto entry = reinterpret_cast<HTREEITEM>(lParam);
    if (asksForChildren(message, wParam) && entry) fillFirstPage(*editor, entry);
    if (message == TVM_GETNEXTITEM && wParam == TVGN_NEXT && entry) fillPastEntry(*editor, entry);
    // A key that moves past the last entry shown finds the next page there.
    if (message == WM_KEYDOWN) fillPagesInView(*editor);
    LRESULT result = DefSubclassProc(tree, message, wParam, lParam);
    if (movesTheView(message)) fillPagesInView(*editor);
    return result;
}

}  // namespace

void keepChildrenForLater(editorState& editor, HTREEITEM entry, const menuNode& node, size_t from) {
    menuNode kept;
    kept.children.reserve(node.childCount() - std::min(from, node.childCount()));
    for (size_t index = from; index < node.childCount(); ++index) {
        const menuNode& child = node.children[index];
        menuNode copy(child.item);
        copy.children = shareChildren(child).children;
        kept.children.push_back(std::move(copy));
    }
    if (!kept.hasChildren()) return;
    if (from > 0) editor.pagedLevels.insert(entry);
    editor.childrenLater[entry] = std::move(kept);
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

namespace {

// The kept children leave the map while they go in, so that the fill does not
// take them a second time. False when none are kept.
bool takeChildrenForLater(editorState& editor, HTREEITEM entry, menuNode& taken) {
    auto found = editor.childrenLater.find(entry);
    if (found == editor.childrenLater.end()) return false;
    taken = std::move(found->second);
    editor.childrenLater.erase(found);
    editor.pagedLevels.erase(entry);
    // From now on the entry's own children show its button, as for any other.
    if (!editor.entries.firstChild(entry)) setChildrenFlag(editor.tree, entry, 0);
    return true;
}

}  // namespace

// What is left of the kept children after a page comes back afterwards.
void fillNextPage(editorState& editor, HTREEITEM entry) {
    menuNode rest;
    if (!takeChildrenForLater(editor, entry, rest)) return;
    menuNode page;
    const size_t taken = std::min(entriesPerPage, rest.childCount());
    page.children.assign(std::make_move_iterator(rest.children.begin()),
                         std::make_move_iterator(rest.children.begin() + static_cast<std::ptrdiff_t>(taken)));
    rest.children.erase(rest.children.begin(), rest.children.begin() + static_cast<std::ptrdiff_t>(taken));
    {
        const bool outer = !fillingPages;
        fillingPages = true;
        fillEditorTree(editor, page, entry, TVI_LAST);
        if (outer) fillingPages = false;
    }
    if (rest.hasChildren()) {
        editor.childrenLater[entry] = std::move(rest);
        editor.pagedLevels.insert(entry);
    }
}

void fillFirstPage(editorState& editor, HTREEITEM entry) {
    if (editor.entries.childCount(entry) < entriesPerPage) fillNextPage(editor, entry);
}

void fillPastEntry(editorState& editor, HTREEITEM entry) {
    if (editor.entries.next(entry)) return;
    if (HTREEITEM parent = asEntry(editor.entries.parent(entry))) fillNextPage(editor, parent);
}

void fillChildrenNow(editorState& editor, HTREEITEM entry) {
    menuNode children;
    if (takeChildrenForLater(editor, entry, children)) fillEditorTree(editor, children, entry, TVI_LAST, SIZE_MAX);
}

void forgetChildrenForLater(editorState& editor, HTREEITEM entry) {
    if (editor.childrenLater.empty()) return;
    editor.childrenLater.erase(entry);
    editor.pagedLevels.erase(entry);
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
