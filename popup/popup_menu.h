// The popup menu: built from the item tree, every entry owner-drawn, history and
// folder submenus filled only when they open.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/menu_node.h"

namespace tv {

// A submenu that is filled when it opens, and the item it belongs to.
struct lazySubmenu {
    HMENU menu;
    menuItem* item;
};

// --- menu_builder.cpp ---

// Builds the top level of the menu below root; the root item itself has no
// entry. Forgets the previous menu's history and folder submenus. Entry ids are
// the items' itemId and entry data the menuItem*, so the tree must outlive the menu.
HMENU buildPopupMenu(menuNode& root);
// Makes the entries of a submenu of the main menu that has none yet; false when
// it had them already (or is not ours). Called as the submenu opens.
bool buildSubmenuEntries(HMENU submenu);
// Makes the entries of every submenu on the way down to the item's entry, so
// that a key or a corner finds it.
void buildEntriesUpTo(const menuItem& item);
// A grayed, disabled text entry ("なし", "…") at the position.
void insertDisabledText(HMENU menu, UINT position, UINT id, const char* text);
// Replaces popup().mainMenu with a menu built from popup().menuTree().
void rebuildMainMenu();
// The clipBoardHistory items of the current main menu and their submenus, in
// menu order; the submenu is null until the level holding the entry is made.
const std::vector<lazySubmenu>& historySubmenus();
// The folderPopup items and their submenus, the same way.
const std::vector<lazySubmenu>& folderSubmenus();
// Forgets both lists, for when the main menu is about to go away.
void forgetLazySubmenus();

// --- menu_messages.cpp ---

// WM_MEASUREITEM, WM_DRAWITEM, WM_INITMENUPOPUP, WM_MENUSELECT and WM_MENUCHAR
// for the popup menu (and the editor's menus). WM_TIMER gives 0; anything else
// goes to DefWindowProcA when fromMainWindow, else gives 0.
LRESULT menuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool fromMainWindow);
// Takes the history entries out of every history submenu when a menu closes,
// so that the next opening shows the history as it is then.
void emptyHistorySubmenus();

// The settings editor's two history submenus ("insert one entry" and "insert
// one item per line"); null while the editor is closed. They are filled like
// the first history submenu of the main menu.
void setEditorHistoryMenus(HMENU insertMenu, HMENU linesMenu);
// True when the history submenu filled last was the editor's "per line" one.
bool editorLinesMenuFilledLast();

// --- menu_measure_draw.cpp ---

// What an entry shows, as DrawText takes it with "&" marking mnemonics: a
// history entry's label and its stored text with every "&" doubled, a date
// item's format expanded now, otherwise the item's text.
std::string displayText(const menuItem& item);
BOOL measureMenuEntry(MEASUREITEMSTRUCT& measure);
BOOL drawMenuEntry(const DRAWITEMSTRUCT& draw);

}  // namespace tv
