// The live folder menu: the nodes behind its owner-drawn entries, lazy filling
// as submenus open, and drawing. One folderMenu exists at a time; it is made
// anew each time a folderPopup submenu of the main menu opens.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "folderpopup/folder_menu_core.h"
#include "folderpopup/folder_settings.h"

namespace tv {

// One entry of a folder menu; its address is the entry's item data.
struct folderMenuNode {
    int16_t iconIndex = -1;   // in the system image list; -1 = not looked up
    uint16_t iconCount = 0;   // the list's image count when it was looked up
    bool isFolder = false;    // folders, drives and the head entries
    bool explore = false;     // "エクスプローラ(&E)": opened with the "explore" verb
    UINT commandId = 0;
    int width = 0;   // measured when the entry was added; 0 = not yet
    int height = 0;
    std::string label;
    std::string path;
    std::vector<folderEntry> pending;  // "続き(&Z)...": the entries still to show
};

struct folderMenu {
    folderPopupSettings settings;
    bool singleFolder = false;  // a folderPopup item naming a folder, not the drives
    HMENU root = nullptr;
    HMENU target = nullptr;  // where the next entry goes
    columnLayout layout;
    commandCounter counter;
    UINT highlighted = folderSubmenuId;
    std::string pendingTarget;
    bool pendingExplore = false;
    bool pendingIsFolder = false;
    std::vector<std::unique_ptr<folderMenuNode>> nodes;
    std::unordered_map<HMENU, folderMenuNode*> owners;  // submenu -> the entry it belongs to

    folderMenuNode& newNode(const std::string& label, const std::string& path);
};

// --- folder_menu_fill.cpp ---

// Appends the entries to menu.target, with the overflow rule of the show mode.
// Returns the "続き(&Z)..." entry holding those that did not fit, or null.
folderMenuNode* addEntries(folderMenu& menu, std::vector<folderEntry> entries);
// Fills a folder's submenu (a node's submenu, or the root in single-folder mode).
void fillFolderMenu(folderMenu& menu, folderMenuNode& owner, HMENU submenu, bool singleFolderRoot);
// The drives and registered folders of an all-drives folderPopup.
void buildTopMenu(folderMenu& menu);

// --- folder_menu_draw.cpp ---

void measureFolderItem(const folderMenuNode& node, int& width, int& height);
// Measures many labels with one screen device context and one font.
class folderMeasure {
public:
    folderMeasure();
    ~folderMeasure();
    folderMeasure(const folderMeasure&) = delete;
    folderMeasure& operator=(const folderMeasure&) = delete;
    void label(const std::string& text, int& width, int& height);

private:
    HDC dc_;
    HGDIOBJ oldFont_;
    int oldMapMode_;
    int lineHeight_;  // every label of one font is one line of this height
    int checkWidth_;
    int extraWidth_;
};
void drawFolderItem(folderMenuNode& node, HDC dc, const RECT& rect, bool selected, bool showIcons);
HFONT folderMenuFont();
void dropFolderMenuFont();

}  // namespace tv
