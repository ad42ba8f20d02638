// Turns the item tree into the popup menu. Only the top level is made at once:
// a submenu gets its entries when it first opens (or when a key or a corner
// needs an entry in it), so a menu of 100,000 items costs little at start-up.
#include <memory>
#include <unordered_map>
#include <vector>

#include "folderpopup/folder_popup.h"
#include "popup/menu_text_sizes.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"

namespace tv {

namespace {

// Every history and folder item that has an entry, in menu order; the menu is
// null until the level holding the entry has been made.
std::vector<lazySubmenu> historyMenus;
std::vector<lazySubmenu> folderMenus;

// A submenu whose entries are not made yet. The folder is held weakly: the
// editor may delete it meanwhile, and then its submenu stays empty.
struct unbuiltLevel {
    std::weak_ptr<menuItem> folder;
    size_t depth;  // the submenu's level; the top level is 1
};
std::unordered_map<HMENU, unbuiltLevel> unbuiltLevels;
// The submenu of each folder entry made so far, to reach an entry below it.
std::unordered_map<const menuItem*, HMENU> submenusOfFolders;
// The tree the menu shows.
menuNode* shownTree = nullptr;

// The data may nest to any depth, but a chain of thousands of submenus takes the
// window system down with it. Below this many levels of submenus a folder shows
// only a disabled "…".
constexpr size_t maxSubmenuDepth = 64;

// Id 0: no item has it, and it is below the history ids, so emptying a history
// submenu that holds it leaves it in place.
void addDepthLimitEntry(HMENU submenu) {
    insertDisabledText(submenu, static_cast<UINT>(GetMenuItemCount(submenu)), 0, "…");
}

bool isHistoryOrFolder(const menuItem& item) {
    return item.mode == itemMode::clipBoardHistory || item.mode == itemMode::folderPopup;
}

// A childless vSeparater makes no entry of its own.
bool makesEntry(const menuNode& node) {
    return node.item && (node.hasChildren() || node.item->mode != itemMode::vSeparater);
}

// Lists the history and folder items in menu order (an entry, then what lies
// below it, then the next entry), as far down as entries are made.
void listHistoryAndFolderItems(const menuNode& root) {
    struct frame {
        const menuNode* node;
        size_t nextChild;
        size_t depth;
    };
    std::vector<frame> frames{{&root, 0, 1}};
    while (!frames.empty()) {
        frame& top = frames.back();
        if (top.nextChild == top.node->childCount()) {
            frames.pop_back();
            continue;
        }
        const menuNode& child = top.node->children[top.nextChild++];
        if (!makesEntry(child)) continue;
        if (child.item->mode == itemMode::clipBoardHistory) historyMenus.push_back({nullptr, child.item.get()});
        if (child.item->mode == itemMode::folderPopup) folderMenus.push_back({nullptr, child.item.get()});
        if (child.hasChildren() && top.depth <= maxSubmenuDepth) frames.push_back({&child, 0, top.depth + 1});
    }
}

void noteSubmenuMade(std::vector<lazySubmenu>& list, const menuItem* item, HMENU submenu) {
    for (lazySubmenu& entry : list)
        if (entry.item == item && !entry.menu) entry.menu = submenu;
}

// Makes the entries of one level. A childless vSeparater starts a new column
// at the next entry of the same level.
class levelBuilder {
public:
    void fill(const menuNode& node, HMENU menu, size_t depth);

private:
    HMENU addEntry(HMENU menu, const menuNode& node);

    UINT entries_ = 0;  // counted here: asking the menu costs a system call an entry
    bool columnBreak_ = false;
};

void levelBuilder::fill(const menuNode& node, HMENU menu, size_t depth) {
    const int existing = GetMenuItemCount(menu);
    entries_ = existing > 0 ? static_cast<UINT>(existing) : 0;
    columnBreak_ = false;
    for (const menuNode& child : node.children) {
        if (!child.item) continue;
        HMENU submenu = addEntry(menu, child);
        if (!submenu || !child.hasChildren()) continue;
        submenusOfFolders[child.item.get()] = submenu;
        if (depth > maxSubmenuDepth)
            addDepthLimitEntry(submenu);
        else
            unbuiltLevels[submenu] = {child.item, depth + 1};
    }
}

// Inserts the node's entry at the end of the menu. Returns the entry's submenu,
// or null when it has none (or no entry was made).
HMENU levelBuilder::addEntry(HMENU menu, const menuNode& node) {
    menuItem* item = node.item.get();
    const bool hasChildren = node.hasChildren();
    if (!makesEntry(node)) {
        columnBreak_ = true;
        return nullptr;
    }
    const bool lazy = isHistoryOrFolder(*item);

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
    if (!InsertMenuItemA(menu, entries_, TRUE, &entry)) {
        if (submenu) DestroyMenu(submenu);
        return nullptr;
    }
    ++entries_;
    if (submenu && item->mode == itemMode::clipBoardHistory) noteSubmenuMade(historyMenus, item, submenu);
    if (submenu && item->mode == itemMode::folderPopup) noteSubmenuMade(folderMenus, item, submenu);
    return submenu;
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
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    shownTree = &root;
    listHistoryAndFolderItems(root);
    levelBuilder().fill(root, menu, 1);
    return menu;
}

namespace {

// Makes the entries of an unbuilt submenu from the node that holds its folder
// (null: the folder is gone from the tree, and the submenu stays empty).
bool fillUnbuiltSubmenu(HMENU submenu, const menuNode* folderNode) {
    auto unbuilt = unbuiltLevels.find(submenu);
    if (unbuilt == unbuiltLevels.end()) return false;
    const size_t depth = unbuilt->second.depth;
    unbuiltLevels.erase(unbuilt);
    if (!folderNode) return false;
    levelBuilder().fill(*folderNode, submenu, depth);
    return true;
}

}  // namespace

bool buildSubmenuEntries(HMENU submenu) {
    auto unbuilt = unbuiltLevels.find(submenu);
    if (unbuilt == unbuiltLevels.end()) return false;
    itemRef folder = unbuilt->second.folder.lock();
    return fillUnbuiltSubmenu(submenu, folder && shownTree ? findNode(*shownTree, folder.get()) : nullptr);
}

void buildEntriesUpTo(const menuItem& item) {
    if (!shownTree) return;
    const std::vector<menuNode*> path = pathTo(*shownTree, &item);
    // The top level is always made; each folder on the way makes the next level.
    for (size_t i = 1; i + 1 < path.size(); ++i) {
        auto submenu = submenusOfFolders.find(path[i]->item.get());
        if (submenu == submenusOfFolders.end()) return;  // no entry: below the depth limit
        fillUnbuiltSubmenu(submenu->second, path[i]);
    }
}

void rebuildMainMenu() {
    if (popup().mainMenu) DestroyMenu(popup().mainMenu);
    popup().mainMenu = nullptr;
    // The items of the old menu may be released after this.
    popup().currentHistoryItem = nullptr;
    forgetMenuTextSizes();
    popup().mainMenu = buildPopupMenu(app().model.root);
    if (popup().menuRebuilt) popup().menuRebuilt(app().model.root);
}

const std::vector<lazySubmenu>& historySubmenus() { return historyMenus; }
const std::vector<lazySubmenu>& folderSubmenus() { return folderMenus; }

void forgetLazySubmenus() {
    historyMenus.clear();
    folderMenus.clear();
    unbuiltLevels.clear();
    submenusOfFolders.clear();
    shownTree = nullptr;
}

}  // namespace tv
