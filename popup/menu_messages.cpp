// The popup menu's message handler: filling history and folder submenus as they
// open, keyboard mnemonics, and what happens when an entry is highlighted or the
// menu closes. The main window and the settings editor both route menu messages here.
#include <vector>

#include "cliphistory/clip_history.h"
#include "folderpopup/folder_popup.h"
#include "popup/menu_text_sizes.h"
#include "popup/placement.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"
#include "shell/timing_log.h"

namespace tv {

namespace {

HMENU editorInsertMenu = nullptr;
HMENU editorLinesMenu = nullptr;
bool linesMenuFilledLast = false;

UINT entryId(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return 0;
    return info.wID;
}

// History entries always lead their submenu, before any child items; the
// disabled "none" entry counts as one of them.
void removeHistoryEntries(HMENU menu) {
    while (GetMenuItemCount(menu) > 0 && entryId(menu, 0) >= firstHistoryId) DeleteMenu(menu, 0, MF_BYPOSITION);
}

void insertNoneEntry(HMENU menu) { insertDisabledText(menu, 0, noneEntryId, "なし"); }

void fillHistorySubmenu(HMENU menu, const menuItem& owner, bool editorMenu) {
    removeHistoryEntries(menu);
    const historyList& history = clipHistory();
    historyRange range = editorMenu ? editorHistoryRange() : clipBoardHistoryRange(owner.data, history.count());
    historySubmenuOptions options;
    options.iMaxOneOneSize = app().config.iMaxOneOneSize;
    options.ret_counts = app().config.ret_counts;
    options.ClipToAddPos = app().config.ClipToAddPos;
    options.bRevNumAndAbc = app().config.bRevNumAndAbc;

    std::vector<submenuEntry> shown = layoutHistorySubmenu(history, range, options);
    UINT position = 0;
    for (submenuEntry& slot : shown) {
        // The label lives in the entry so that drawing and mnemonics find it.
        slot.entry->data = slot.label;
        MENUITEMINFOA entry{};
        entry.cbSize = sizeof(entry);
        entry.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
        entry.fType = MFT_OWNERDRAW | (slot.newColumn ? MFT_MENUBARBREAK : 0);
        entry.wID = slot.entry->itemId;
        entry.dwItemData = reinterpret_cast<ULONG_PTR>(slot.entry.get());
        if (InsertMenuItemA(menu, position, TRUE, &entry)) ++position;
    }
    if (position == 0) insertNoneEntry(menu);
}

// The editor's submenus borrow the first history item of the running menu; with
// no history item in the menu they stay empty.
void onHistoryPopup(HMENU menu) {
    bool editorMenu = menu && (menu == editorInsertMenu || menu == editorLinesMenu);
    for (const lazySubmenu& pair : historySubmenus()) {
        if (pair.menu != menu && !editorMenu) continue;
        popup().currentHistoryItem = pair.item;
        if (editorMenu) linesMenuFilledLast = menu == editorLinesMenu;
        fillHistorySubmenu(menu, *pair.item, editorMenu);
        return;
    }
}

void onFolderPopup(HMENU menu) {
    for (const lazySubmenu& pair : folderSubmenus()) {
        if (pair.menu != menu) continue;
        const std::string& path = pair.item->data;
        openFolderPopup(menu, path.empty() ? nullptr : path.c_str());
        return;
    }
}

LRESULT onInitMenuPopup(HWND window, WPARAM wParam, LPARAM lParam) {
    folderMenuMessage(window, WM_INITMENUPOPUP, wParam, lParam);
    auto menu = reinterpret_cast<HMENU>(wParam);
    if (!IsMenu(menu)) return 0;
    menuOpening();
    // The submenu's own entries first: history entries go in front of them.
    buildSubmenuEntries(menu);
    onHistoryPopup(menu);
    onFolderPopup(menu);
    return 0;
}

LRESULT onMeasureItem(HWND window, WPARAM wParam, LPARAM lParam, bool fromMainWindow) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU)
        return fromMainWindow ? DefWindowProcA(window, WM_MEASUREITEM, wParam, lParam) : 0;
    if (isFolderCommand(measure->itemID)) return folderMenuMessage(window, WM_MEASUREITEM, wParam, lParam);
    return measureMenuEntry(*measure);
}

LRESULT onDrawItem(HWND window, WPARAM wParam, LPARAM lParam, bool fromMainWindow) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU)
        return fromMainWindow ? DefWindowProcA(window, WM_DRAWITEM, wParam, lParam) : 0;
    if (isFolderCommand(draw->itemID)) return folderMenuMessage(window, WM_DRAWITEM, wParam, lParam);
    return drawMenuEntry(*draw);
}

LRESULT onMenuSelect(HWND window, WPARAM wParam, LPARAM lParam, bool fromMainWindow) {
    if (HIWORD(wParam) == 0xFFFF && lParam == 0) {
        LRESULT folderResult = folderMenuMessage(window, WM_MENUSELECT, wParam, lParam);
        onMenuClosed(window, fromMainWindow);
        return folderResult;
    }
    if (isFolderCommand(LOWORD(wParam))) return folderMenuMessage(window, WM_MENUSELECT, wParam, lParam);
    // A new highlight: a right-button release from before must not turn the
    // next choice into a quick add.
    popup().addToItems = false;
    return fromMainWindow ? DefWindowProcA(window, WM_MENUSELECT, wParam, lParam) : 0;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool menuHasFolderEntries(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position)
        if (isFolderCommand(entryId(menu, position))) return true;
    return false;
}

// The character after the first "&" of what the entry shows, or 0.
char mnemonicOf(const menuItem& item) {
    const std::string& label = item.mode == itemMode::historyEntry ? item.data : item.text;
    size_t amp = label.find('&');  // '&' is never a trail byte in code page 932
    if (amp == std::string::npos || amp + 1 >= label.size()) return 0;
    return lowerAscii(label[amp + 1]);
}

// One entry with the character runs it; several take turns being selected.
LRESULT onMenuChar(HWND window, WPARAM wParam, LPARAM lParam) {
    auto menu = reinterpret_cast<HMENU>(lParam);
    if (menuHasFolderEntries(menu)) return folderMenuMessage(window, WM_MENUCHAR, wParam, lParam);
    char typed = lowerAscii(static_cast<char>(LOWORD(wParam)));

    int current = -1;
    std::vector<int> matches;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (info.fState & MFS_HILITE) current = position;
        if (info.fState & (MFS_GRAYED | MFS_DISABLED)) continue;
        if (!(info.fType & MFT_OWNERDRAW) || !info.dwItemData) continue;
        char key = mnemonicOf(*reinterpret_cast<const menuItem*>(info.dwItemData));
        if (key != 0 && key == typed) matches.push_back(position);
    }
    if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1) return MAKELRESULT(matches.front(), MNC_EXECUTE);
    for (int position : matches)
        if (position > current) return MAKELRESULT(position, MNC_SELECT);
    return MAKELRESULT(matches.front(), MNC_SELECT);
}

}  // namespace

void setEditorHistoryMenus(HMENU insertMenu, HMENU linesMenu) {
    editorInsertMenu = insertMenu;
    editorLinesMenu = linesMenu;
}

bool editorLinesMenuFilledLast() { return linesMenuFilledLast; }

void emptyHistorySubmenus() {
    for (const lazySubmenu& pair : historySubmenus())
        if (pair.menu) removeHistoryEntries(pair.menu);
    if (editorInsertMenu) removeHistoryEntries(editorInsertMenu);
    if (editorLinesMenu) removeHistoryEntries(editorLinesMenu);
}

LRESULT menuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool fromMainWindow) {
    switch (message) {
    case WM_MEASUREITEM: return onMeasureItem(window, wParam, lParam, fromMainWindow);
    case WM_DRAWITEM: return onDrawItem(window, wParam, lParam, fromMainWindow);
    case WM_INITMENUPOPUP: return onInitMenuPopup(window, wParam, lParam);
    case WM_MENUSELECT: return onMenuSelect(window, wParam, lParam, fromMainWindow);
    case WM_MENUCHAR:
        if (HIWORD(wParam) & MF_POPUP) return onMenuChar(window, wParam, lParam);
        break;
    case WM_TIMER: return 0;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU) menuLoopIdle();
        break;
    default: break;
    }
    return fromMainWindow ? DefWindowProcA(window, message, wParam, lParam) : 0;
}

}  // namespace tv
