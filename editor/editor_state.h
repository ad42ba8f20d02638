// The settings editor's window state: one instance while the editor is open,
// kept in the dialog's DWLP_USER. What outlives the window (its handle, the
// modified flag) is settingsEditor() in settings_editor.h.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "model/entry_tree.h"
#include "model/menu_item.h"
#include "model/menu_node.h"
#include "widgets/window_frame.h"

namespace tv {

class tooltipSet;

struct dragState {
    bool dragging = false;
    HTREEITEM dragged = nullptr;
    HTREEITEM target = nullptr;  // the entry shown as drop target, null when none
    POINT offset{};              // where the drag image sits relative to the pointer
};

struct editorState {
    HWND window = nullptr;
    HWND tree = nullptr;
    HWND displayText = nullptr;
    HWND content = nullptr;
    HWND modeList = nullptr;
    HWND hotkey = nullptr;
    HWND winKey = nullptr;
    HWND corner = nullptr;
    HWND contentLabel = nullptr;
    HWND abbreviation = nullptr;
    HWND abbreviationLabel = nullptr;
    HWND abbreviationNote = nullptr;

    bool labelEditing = false;
    std::string labelEditStart;  // what the label edit held when the rename began
    HTREEITEM selectedEntry = nullptr;
    menuItem* selectedItem = nullptr;  // null for the root entry and for no selection
    HTREEITEM rootEntry = nullptr;     // "メニュー": stands for the whole menu
    itemRef rootItem;                  // the menu's root item, which the root entry's keys edit
    uint16_t preselectId = 0;          // selected when the fill meets it

    windowSizing sizing;

    HMENU historyInsertMenu = nullptr;
    HMENU historyLinesMenu = nullptr;
    std::shared_ptr<tooltipSet> tooltips;
    dragState drag;

    // The tree's structure, kept in step with its inserts and deletes. It holds
    // the items the entries show: the tree's entries only point at them, and an
    // item may be only in the tree (a new one, or one the running menu no
    // longer has).
    entryTree entries;
    // The children of entries not in the tree yet, after those that are
    // (editor/pending_children.h), and the open levels that show only some.
    std::unordered_map<HTREEITEM, menuNode> childrenLater;
    std::unordered_set<HTREEITEM> pagedLevels;
    bool quietSelection = false;  // the selection moves only while the tree fills
};

// The editor of this window, or null (before WM_INITDIALOG and after the end).
editorState* editorOf(HWND window);

// Sets modifiedFlag: the editor holds changes the data file does not have yet.
void markModified();

}  // namespace tv
