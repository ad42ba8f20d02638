// The folder popup's entry points: a folderPopup submenu opens, its menu
// messages, and the chosen entry is opened through the shell.
#include <windows.h>
#include <shellapi.h>

#include "folderpopup/folder_menu.h"
#include "folderpopup/folder_popup.h"
#include "folderpopup/shell_link.h"
#include "folderpopup/vossel_settings.h"
#include "shell/app_state.h"

namespace tv {

namespace {

std::unique_ptr<folderMenu> current;
// The folder a folderPopup item names; it owns the item's submenu.
std::unique_ptr<folderMenuNode> singleFolderRoot;

folderMenuNode* nodeOf(const MENUITEMINFOA& info) {
    if (!current || !(info.fType & MFT_OWNERDRAW) || !info.dwItemData) return nullptr;
    // Only folder entries carry these ids; their item data is always a node.
    if (info.wID != 0 && !isFolderCommand(info.wID)) return nullptr;
    return reinterpret_cast<folderMenuNode*>(info.dwItemData);
}

void onInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    if (!current || HIWORD(lParam)) return;  // system menus are not ours
    auto menu = reinterpret_cast<HMENU>(wParam);
    if (!current->singleFolder && menu == current->root) return;  // built when it opened
    current->highlighted = folderSubmenuId;
    current->target = menu;
    if (GetMenuItemCount(menu) > 0) return;  // filled before
    if (current->singleFolder && menu == current->root) {
        if (singleFolderRoot) fillFolderMenu(*current, *singleFolderRoot, menu, true);
        return;
    }
    auto owner = current->owners.find(menu);
    if (owner != current->owners.end()) fillFolderMenu(*current, *owner->second, menu, false);
}

LRESULT onMeasureItem(LPARAM lParam) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU || !measure->itemData) return FALSE;
    // Entries were measured as they were added; a menu of thousands must not
    // measure every label twice.
    auto& node = *reinterpret_cast<folderMenuNode*>(measure->itemData);
    int width = node.width, height = node.height;
    if (width <= 0 || height <= 0) measureFolderItem(node, width, height);
    measure->itemWidth = static_cast<UINT>(width);
    measure->itemHeight = static_cast<UINT>(height);
    return TRUE;
}

LRESULT onDrawItem(LPARAM lParam) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->CtlType != ODT_MENU || !draw->itemData || draw->rcItem.top < 0) return FALSE;
    const bool showIcons = !current || !(current->settings.ShowDrives & folderFlag::noIcons);
    drawFolderItem(*reinterpret_cast<folderMenuNode*>(draw->itemData), draw->hDC, draw->rcItem,
                   (draw->itemState & ODS_SELECTED) != 0, showIcons);
    return TRUE;
}

void onMenuSelect(WPARAM wParam, LPARAM lParam) {
    if (!current) return;
    if (HIWORD(wParam) != 0xFFFF || lParam != 0) {
        // A submenu's entry reports its position, not its id: nothing to open.
        current->highlighted = (HIWORD(wParam) & MF_POPUP) ? folderSubmenuId : LOWORD(wParam);
        return;
    }
    // The menu closed: the command (if any) arrives after this.
    SetCurrentDirectoryA(app().startDirectory.c_str());
    current->pendingTarget.clear();
    current->pendingExplore = false;
    if (current->highlighted == folderSubmenuId) return;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
    if (!GetMenuItemInfoA(current->root, current->highlighted, FALSE, &info)) return;
    if (folderMenuNode* node = nodeOf(info)) {
        current->pendingTarget = node->path;
        current->pendingExplore = node->explore;
        current->pendingIsFolder = node->isFolder;
    }
}

LRESULT onMenuChar(WPARAM wParam, LPARAM lParam) {
    auto menu = reinterpret_cast<HMENU>(lParam);
    std::vector<menuCharEntry> entries;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        menuCharEntry entry;
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_ID;
        if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) {
            entry.highlighted = (info.fState & MFS_HILITE) != 0;
            entry.enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
            if (folderMenuNode* node = nodeOf(info)) entry.label = node->label;
        }
        entries.push_back(std::move(entry));
    }
    menuCharResult choice = chooseByCharacter(entries, static_cast<char>(LOWORD(wParam)));
    switch (choice.action) {
    case menuCharAction::execute: return MAKELRESULT(choice.position, MNC_EXECUTE);
    case menuCharAction::select: return MAKELRESULT(choice.position, MNC_SELECT);
    default: return MAKELRESULT(0, MNC_IGNORE);
    }
}

}  // namespace

void openFolderPopup(HMENU submenu, const char* folderPath) {
    SetCurrentDirectoryA(app().startDirectory.c_str());
    singleFolderRoot.reset();
    current.reset();
    dropFolderMenuFont();

    std::string label;
    bool exists = folderPath == nullptr;
    if (folderPath) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(folderPath, &found);
        if (search != INVALID_HANDLE_VALUE) {
            exists = true;
            label = found.cFileName;
            FindClose(search);
        }
    }

    current = std::make_unique<folderMenu>();
    current->root = submenu;
    current->settings = readFolderPopupSettings();
    // Reading "./Vossel.ini" needs the start directory; the menu may move it after.
    if (folderPath) {
        current->singleFolder = true;
        singleFolderRoot = std::make_unique<folderMenuNode>();
        singleFolderRoot->isFolder = true;
        singleFolderRoot->commandId = 34002;
        singleFolderRoot->label = exists ? label : folderPath;
        singleFolderRoot->path = folderPath;
    }

    for (int position = GetMenuItemCount(submenu) - 1; position >= 0; --position)
        DeleteMenu(submenu, static_cast<UINT>(position), MF_BYPOSITION);
    if (current->singleFolder) fillFolderMenu(*current, *singleFolderRoot, submenu, true);
    else buildTopMenu(*current);
}

LRESULT folderMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITMENUPOPUP: onInitMenuPopup(wParam, lParam); return 0;
    case WM_MEASUREITEM: return onMeasureItem(lParam);
    case WM_DRAWITEM: return onDrawItem(lParam);
    case WM_MENUSELECT: onMenuSelect(wParam, lParam); return 0;
    case WM_MENUCHAR: return onMenuChar(wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: dropFolderMenuFont(); break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The old main menu, and with it every folder submenu, is gone or about to go:
// the nodes behind their entries go too.
void releaseFolderPopup() {
    singleFolderRoot.reset();
    current.reset();
    dropFolderMenuFont();
}

void executeFolderCommand(UINT identifier) {
    singleFolderRoot.reset();
    if (!current || identifier != current->highlighted || current->pendingTarget.empty()) return;
    const std::string& target = current->pendingTarget;
    // The node knows it is a folder; a path's last byte 0x5C may be a trail byte.
    if (current->pendingIsFolder) {
        ShellExecuteA(nullptr, current->pendingExplore ? "explore" : nullptr, target.c_str(), nullptr, nullptr,
                      SW_SHOW);
    } else if (shortcutChainEnds(app().mainWindow, target)) {
        ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    current->highlighted = folderSubmenuId;
    current->pendingTarget.clear();
}

}  // namespace tv
