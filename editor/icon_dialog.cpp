#include "editor/icon_dialog.h"

#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "editor/editor_tree.h"
#include "files/cp932.h"
#include "files/unreadable_files.h"
#include "files/file_dialog.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/item_icons.h"
#include "shell/messages.h"
#include "shell/window_text.h"

namespace tv {

namespace {

// The item's icon file and index go in; on OK the chosen ones come back.
struct iconDialogState {
    std::string fileName;
    int index = 0;
    std::vector<HICON> iconCandidates;  // the file's small icons, by index in the file
};

// lParam of IDM_ICON_RELOAD: only a reload the user asked for reports an empty file.
enum reloadMode : LPARAM { byUser = 0, quiet = 1, firstLoad = 2 };

constexpr int cellSize = 32;
constexpr int iconMargin = (cellSize - 16) / 2;
constexpr size_t maxPathBytes = 260;

const char iconFileFilter[] =
    "アイコンを持つファイル(*.exe;*.dll;*.ico)\0*.exe;*.dll;*.ico\0すべてのファイル (*.*)\0*.*\0";

iconDialogState* stateOf(HWND dialog) {
    return reinterpret_cast<iconDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The path field's first 260 bytes, never ending in half a character: the
// icon functions take no longer names.
std::string pathField(HWND dialog) {
    std::string path = windowText(GetDlgItem(dialog, IDC_ICON_PATH));
    size_t end = 0;
    while (end < path.size()) {
        size_t next = end + (isLeadByte(static_cast<unsigned char>(path[end])) && end + 1 < path.size() ? 2 : 1);
        if (next > maxPathBytes) break;
        end = next;
    }
    path.resize(end);
    return path;
}

void releaseCandidates(iconDialogState& state) {
    for (HICON icon : state.iconCandidates)
        if (icon) DestroyIcon(icon);
    state.iconCandidates.clear();
}

void reloadList(HWND dialog, iconDialogState& state, LPARAM mode) {
    HWND list = GetDlgItem(dialog, IDC_ICON_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const std::string path = pathField(dialog);
    releaseCandidates(state);
    const int count = static_cast<int>(ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0));
    if (count <= 0) {
        if (mode == byUser) settingsMessage(dialog, "アイコンが見つかりませんでした", MB_ICONERROR);
        return;
    }
    state.iconCandidates.assign(static_cast<size_t>(count), nullptr);
    LRESULT preselected = -1;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < count; ++i) {
        ExtractIconExA(path.c_str(), i, nullptr, &state.iconCandidates[static_cast<size_t>(i)], 1);
        LRESULT entry = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(list, LB_SETITEMDATA, entry, i);
        if (mode == firstLoad && i == state.index) preselected = entry;
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    SendMessageA(list, LB_SETCURSEL, preselected >= 0 ? preselected : 0, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetFocus(list);
}

void drawCell(const iconDialogState* state, const DRAWITEMSTRUCT& draw) {
    const RECT& cell = draw.rcItem;
    if (draw.itemID != static_cast<UINT>(-1)) {
        const bool selected = (draw.itemState & ODS_SELECTED) != 0;
        FillRect(draw.hDC, &cell, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const size_t index = draw.itemData;
        if (state && index < state->iconCandidates.size() && state->iconCandidates[index])
            DrawIconEx(draw.hDC, cell.left + iconMargin, cell.top + iconMargin, state->iconCandidates[index], 16, 16, 0,
                       nullptr, DI_NORMAL);
    }
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &cell);
}

void browse(HWND dialog) {
    fileDialogOptions options;
    options.title = "アイコンを持つファイルの参照";
    options.filter = iconFileFilter;
    options.filterLength = sizeof iconFileFilter;
    options.proposedName = windowText(GetDlgItem(dialog, IDC_ICON_PATH));
    options.flags = OFN_LONGNAMES | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (auto chosen = chooseFileToOpen(dialog, options)) {
        SetDlgItemTextA(dialog, IDC_ICON_PATH, chosen->c_str());
        PostMessageA(dialog, WM_COMMAND, IDM_ICON_RELOAD, byUser);
    }
}

void onIconOk(HWND dialog, iconDialogState& state) {
    // Enter in the path field loads that file instead of closing.
    if (GetFocus() == GetDlgItem(dialog, IDC_ICON_PATH)) {
        PostMessageA(dialog, WM_COMMAND, IDM_ICON_RELOAD, byUser);
        return;
    }
    state.fileName = pathField(dialog);
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_ICON_LIST, LB_GETCURSEL, 0, 0);
    state.index = selected > 0
                      ? static_cast<int>(SendDlgItemMessageA(dialog, IDC_ICON_LIST, LB_GETITEMDATA, selected, 0))
                      : 0;
    releaseCandidates(state);
    EndDialog(dialog, IDOK);
}

// The path is emptied, the list empties quietly, and OK stores "no icon".
void onBackToStandard(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_ICON_PATH, "");
    SetFocus(GetDlgItem(dialog, IDC_ICON_STANDARD));
    PostMessageA(dialog, WM_COMMAND, IDM_ICON_RELOAD, quiet);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void onIconCommand(HWND dialog, iconDialogState& state, UINT id, LPARAM lParam) {
    switch (id) {
    case IDOK: onIconOk(dialog, state); break;
    case IDCANCEL:
        releaseCandidates(state);
        EndDialog(dialog, IDCANCEL);
        break;
    case IDC_ICON_STANDARD: onBackToStandard(dialog); break;
    case IDC_ICON_BROWSE: browse(dialog); break;
    case IDM_ICON_RELOAD: reloadList(dialog, state, lParam); break;
    case IDM_ICON_RELEASE: releaseCandidates(state); break;
    }
}

BOOL onIconInit(HWND dialog, iconDialogState* state) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SendDlgItemMessageA(dialog, IDC_ICON_LIST, LB_SETCOLUMNWIDTH, cellSize, 0);
    SetDlgItemTextA(dialog, IDC_ICON_PATH, state->fileName.c_str());
    SendMessageA(dialog, WM_COMMAND, IDM_ICON_RELOAD, firstLoad);
    // With icons listed the list has the focus already; otherwise the path field takes it.
    return GetFocus() != GetDlgItem(dialog, IDC_ICON_LIST);
}

INT_PTR CALLBACK iconProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onIconInit(dialog, reinterpret_cast<iconDialogState*>(lParam));
    // Measuring comes while the controls are made, before WM_INITDIALOG.
    if (message == WM_MEASUREITEM) {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure.CtlID != IDC_ICON_LIST) return FALSE;
        measure.itemWidth = measure.itemHeight = cellSize;
        return TRUE;
    }
    iconDialogState* state = stateOf(dialog);
    if (!state) return FALSE;
    switch (message) {
    case WM_DRAWITEM:
        if (wParam != IDC_ICON_LIST) return FALSE;
        drawCell(state, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) onIconCommand(dialog, *state, LOWORD(wParam), lParam);
        return TRUE;
    case WM_DESTROY: releaseCandidates(*state); return FALSE;
    }
    return FALSE;
}

// The entry shows the new file's icon: its cached image is the old file's, so
// the icon is extracted again into it. When the new file gives none, the
// stale image must not be served from the cache either.
void showNewIcon(editorState& editor, menuItem& item) {
    HTREEITEM entry = editor.selectedEntry;
    if (!entry || entry == editor.rootEntry) return;
    forgetUnreadable(item.extIconFileName);  // the dialog has just read it
    int shown = iconIndex(item, hasChildEntries(editor.tree, entry), false, isExpanded(editor.tree, entry), false);
    if (shown != item.iconImageIndex) item.iconImageIndex = -1;
    refreshEntryIcon(editor, entry);
    InvalidateRect(editor.tree, nullptr, TRUE);
}

}  // namespace

void iconDialog(editorState& editor) {
    menuItem* item = editor.selectedItem;
    if (!item) return;
    iconDialogState state;
    state.fileName = item->extIconFileName;
    state.index = item->extIconIndex;
    if (DialogBoxParamW(app().instance, MAKEINTRESOURCEW(IDD_ICON_SELECT), editor.window, iconProc,
                        reinterpret_cast<LPARAM>(&state)) != IDOK)
        return;
    item = editableItem(editor, editor.selectedEntry);
    item->extIconFileName = state.fileName;
    item->extIconIndex = state.index;
    showNewIcon(editor, *item);
    markModified();
}

}  // namespace tv
