#include "editor/tree_context_menu.h"

#include <commctrl.h>

#include <string>

#include "editor/editor_tree.h"
#include "editor/mode_texts.h"
#include "editor/settings_editor.h"
#include "res/resource.h"

namespace tv {

namespace {

HMENU entryContextMenu = nullptr;

const struct {
    UINT id;
    const char* text;
} commandEntries[] = {
    {IDM_EDITOR_RENAME, "表示文字を編集(&E)\tF2"},
    {IDC_ADD_COPY, "複製追加(&C)"},
    {IDC_DELETE, "削除(&D)\tDel"},
    {IDC_CHANGE_ICON, "アイコンを変更(&I)"},
    {IDC_NEW, "新規作成(&N)\tIns"},
    {IDM_EDITOR_NEW_FOLDER, "新しいフォルダ(&F)"},
    {IDM_EDITOR_RUN_ITEM, "項目を実行 非推奨（＾＾；"},
};

// Only the selected item's mode is checked; the root entry has none.
void checkSelectedMode(const editorState& editor) {
    int checked = editor.selectedItem ? editor.selectedItem->mode : -1;
    int count = GetMenuItemCount(entryContextMenu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA state{};
        state.cbSize = sizeof state;
        state.fMask = MIIM_STATE;
        state.fState = position == checked ? MFS_CHECKED : MFS_UNCHECKED;
        SetMenuItemInfoA(entryContextMenu, static_cast<UINT>(position), TRUE, &state);
    }
}

}  // namespace

void buildEntryContextMenu() {
    if (entryContextMenu) return;
    entryContextMenu = CreatePopupMenu();
    for (int mode = 0; mode < editorModeCount; ++mode)
        AppendMenuA(entryContextMenu, MF_STRING, IDM_MODE_FIRST + mode, modeListText(static_cast<uint8_t>(mode)));
    AppendMenuA(entryContextMenu, MF_SEPARATOR, 0, nullptr);
    for (const auto& entry : commandEntries) AppendMenuA(entryContextMenu, MF_STRING, entry.id, entry.text);
}

void destroyEntryContextMenu() {
    if (entryContextMenu) DestroyMenu(entryContextMenu);
    entryContextMenu = nullptr;
}

void onContextMenuHit(editorState& editor) {
    TVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(editor.tree, &hit.pt);
    auto entry = reinterpret_cast<HTREEITEM>(SendMessageA(editor.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!entry || !(hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON))) return;
    selectEntry(editor.tree, entry);
    PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_CONTEXT_MENU, 0);
}

void showEntryContextMenu(editorState& editor, bool atCentre) {
    if (!entryContextMenu) return;
    checkSelectedMode(editor);
    POINT at{};
    if (atCentre) {
        RECT tree{};
        GetWindowRect(editor.tree, &tree);
        at = {(tree.left + tree.right) / 2, (tree.top + tree.bottom) / 2};
    } else {
        GetCursorPos(&at);
    }
    TrackPopupMenu(entryContextMenu, TPM_RIGHTBUTTON, at.x, at.y, 0, editor.window, nullptr);
    PostMessageA(editor.window, WM_NULL, 0, 0);
}

}  // namespace tv
