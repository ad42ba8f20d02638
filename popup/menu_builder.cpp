// Turns the item tree into the popup menu.
#include <vector>

#include "app/app_state.h"
#include "folderpopup/folder_popup.h"
#include "popup/menu_text_sizes.h"
#include "popup/popup_menu.h"

namespace tv {

namespace {

std::vector<lazySubmenu> historyMenus;
std::vector<lazySubmenu> folderMenus;

// The data may nest to any depth, but a chain of thousands of submenus takes the
// window system down with it. Below this many levels of submenus a folder shows
// only a disabled "…".
constexpr size_t maxSubmenuDepth = 64;

// Id 0: no item has it, and it is below the history ids, so emptying a history
// submenu that holds it leaves it in place.
void addDepthLimitEntry(HMENU submenu) {
    insertDisabledText(submenu, static_cast<UINT>(GetMenuItemCount(submenu)), 0, "…");
}

// Builds one level of the menu. A childless vSeparater makes no entry of its
// own; it starts a new column at the next entry of the same level.
class menuBuilder {
public:
    HMENU build(const menuNode& root);

private:
    struct level {
        const menuNode* node;
        HMENU menu;
        size_t nextChild;
        UINT entries;  // counted here: asking the menu costs a system call an entry
    };

    HMENU addEntry(level& parent, const menuNode& node);

    bool columnBreak_ = false;
};

// Inserts the node's entry at the end of parent. Returns the entry's submenu,
// or null when it has none (or no entry was made).
HMENU menuBuilder::addEntry(level& parent, const menuNode& node) {
    menuItem* item = node.item.get();
    const bool hasChildren = node.hasChildren();
    if (!hasChildren && item->mode == itemMode::vSeparater) {
        columnBreak_ = true;
        return nullptr;
    }
    const bool lazy = item->mode == itemMode::clipBoardHistory || item->mode == itemMode::folderPopup;

    MENUITEMINFOA entry{};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    entry.fType = (!hasChildren && item->mode == itemMode::hSeparater) ? MFT_SEPARATOR : MFT_OWNERDRAW;
    if (columnBreak_) entry.fType |= MFT_MENUBARBREAK;
    columnBreak_ = false;
    entry.wID = item->itemId;
    entry.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    // Beyond the id space an item has no id to be chosen by: shown, but disabled.
    if (item->itemId == noItemId && !hasChildren && !lazy && (entry.fType & MFT_OWNERDRAW)) {
        entry.fMask |= MIIM_STATE;
        entry.fState = MFS_DISABLED | MFS_GRAYED;
    }

    HMENU submenu = nullptr;
    if (hasChildren || lazy) {
        entry.fMask |= MIIM_SUBMENU;
        submenu = CreatePopupMenu();
        // Without its submenu a folder entry would hide its children: drop it.
        if (hasChildren && !submenu) return nullptr;
        entry.hSubMenu = submenu;
    }
    if (!InsertMenuItemA(parent.menu, parent.entries, TRUE, &entry)) {
        if (submenu) DestroyMenu(submenu);
        return nullptr;
    }
    ++parent.entries;
    if (submenu && item->mode == itemMode::clipBoardHistory) historyMenus.push_back({submenu, item});
    if (submenu && item->mode == itemMode::folderPopup) folderMenus.push_back({submenu, item});
    return submenu;
}

// Depth first with an explicit stack: the depth comes from a file the user can
// edit by hand, so it must not decide how deep the call stack grows.
HMENU menuBuilder::build(const menuNode& root) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    columnBreak_ = false;
    std::vector<level> levels;
    levels.push_back({&root, menu, 0, 0});
    while (!levels.empty()) {
        level& top = levels.back();
        if (top.nextChild == top.node->childCount()) {
            levels.pop_back();
            // A column break left over at the end of a submenu does not leak out.
            columnBreak_ = false;
            continue;
        }
        const menuNode& child = top.node->children[top.nextChild++];
        if (!child.item) continue;
        HMENU submenu = addEntry(top, child);
        if (submenu && child.hasChildren()) {
            // levels holds the root menu and every submenu above this one.
            if (levels.size() > maxSubmenuDepth) {
                addDepthLimitEntry(submenu);
                continue;
            }
            columnBreak_ = false;
            levels.push_back({&child, submenu, 0, 0});
        }
    }
    return menu;
}

}  // namespace

void insertDisabledText(HMENU menu, UINT position, UINT id, const char* text) {
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
    entry.fType = MFT_STRING;
    entry.fState = MFS_DISABLED | MFS_GRAYED;
    entry.wID = id;
    entry.dwTypeData = const_cast<char*>(text);  // read only: InsertMenuItemA copies it
    InsertMenuItemA(menu, position, TRUE, &entry);
}

HMENU buildPopupMenu(menuNode& root) {
    forgetLazySubmenus();
    releaseFolderPopup();
    menuBuilder builder;
    return builder.build(root);
}

void rebuildMainMenu() {
    if (app().mainMenu) DestroyMenu(app().mainMenu);
    app().mainMenu = nullptr;
    // The items of the old menu may be released after this.
    app().currentHistoryItem = nullptr;
    forgetMenuTextSizes();
    app().mainMenu = buildPopupMenu(app().menuTree());
}

const std::vector<lazySubmenu>& historySubmenus() { return historyMenus; }
const std::vector<lazySubmenu>& folderSubmenus() { return folderMenus; }

void forgetLazySubmenus() {
    historyMenus.clear();
    folderMenus.clear();
}

}  // namespace tv
