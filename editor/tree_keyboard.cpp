#include "editor/tree_keyboard.h"

#include "editor/dialog_keys.h"
#include "res/resource.h"

namespace tv {

namespace {

struct treeKey {
    WORD key;
    bool control;
    UINT command;
    LPARAM lParam;
};

// The moves are posted rather than run here: the tree is still inside its own
// handling of the key and must not find its selected entry gone.
const treeKey treeKeys[] = {
    {VK_APPS, false, IDM_EDITOR_CONTEXT_MENU, 1},
    {VK_F2, false, IDM_EDITOR_RENAME, 0},
    {VK_INSERT, false, IDC_NEW, 0},
    {VK_DELETE, false, IDC_DELETE, 0},
    {VK_UP, true, IDC_MOVE_UP, 0},
    {VK_DOWN, true, IDC_MOVE_DOWN, 0},
    {VK_RIGHT, true, IDC_MOVE_RIGHT, 0},
    {VK_LEFT, true, IDC_MOVE_LEFT, 0},
    {'K', true, IDM_FIND_NEXT_SHORTCUT, 0},
};

LRESULT CALLBACK treeKeysProc(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = DefSubclassProc(tree, message, wParam, lParam);
    if (message == WM_GETDLGCODE && isKeyDown(lParam, VK_RETURN)) result |= DLGC_WANTMESSAGE;
    return result;
}

}  // namespace

void subclassTreeKeys(HWND tree) { SetWindowSubclass(tree, treeKeysProc, 1, 0); }

void onTreeKeyDown(editorState& editor, const NMTVKEYDOWN& key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    for (const treeKey& entry : treeKeys) {
        if (entry.key != key.wVKey || entry.control != control) continue;
        PostMessageA(editor.window, WM_COMMAND, entry.command, entry.lParam);
        return;
    }
}

void onTreeReturn(editorState& editor) {
    if (editor.labelEditing)
        SendMessageA(editor.tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    else if (editor.selectedEntry && editor.selectedEntry != editor.rootEntry)
        PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_RENAME, 0);
}

}  // namespace tv
