#include "popup/quick_add.h"

#include "files/escaping.h"
#include "files/menu_file.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"
#include "shell/data_file_stamp.h"
#include "shell/messages.h"

namespace tv {

namespace {

// The new phrase's entry in one open-able history submenu of its item.
void insertEntry(HMENU submenu, menuItem& item, bool atEnd, bool columnBreak) {
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof entry;
    entry.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    entry.fType = MFT_OWNERDRAW | (columnBreak ? MFT_MENUBARBREAK : 0);
    entry.wID = item.itemId;
    entry.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    UINT position = atEnd ? static_cast<UINT>(GetMenuItemCount(submenu)) : 0;
    InsertMenuItemA(submenu, position, TRUE, &entry);
}

void saveDataFile() {
    std::string path = dataFilePath(app().startDirectory, app().dataFileName);
    const bool written = writeMenuFile(app().model, path, app().model.root, menuExtent::wholeMenu);
    if (written) rememberDataFile();
    if (!written) reportWriteFailure(app().mainWindow);
}

}  // namespace

void quickAddHistoryEntry(const menuItem& entry, const menuItem& historyItem) {
    // While the editor is open its save would write over what is added here.
    menuNode* folder = popup().menuBeingEdited() ? nullptr : findNode(app().model.root, &historyItem);
    if (!folder) {
        settingsMessage(app().mainWindow, "設定画面が出ている時は追加を行えません", MB_ICONERROR);
        return;
    }
    // The phrase goes into the file the menu was read from, not over another program's change.
    if (!mayOverwriteDataFile(app().mainWindow)) return;
    const bool atEnd = app().config.ClipToAddPos;
    // After a childless vertical separator at the end, the new phrase starts a column.
    const bool columnBreak = atEnd && folder->hasChildren() && !folder->lastChild().hasChildren() &&
                             folder->lastChild().item && folder->lastChild().item->mode == itemMode::vSeparater;

    itemFields fields;
    fields.mode = itemMode::inputDataString;
    fields.text = entry.text;
    fields.data = unescapeText(entry.text);
    menuNode phrase;
    menuItem& item = app().model.createItem(phrase, std::move(fields));
    if (atEnd)
        folder->children.push_back(std::move(phrase));
    else
        folder->children.insert(folder->children.begin(), std::move(phrase));

    for (const lazySubmenu& submenu : historySubmenus()) {
        if (submenu.item != &historyItem) continue;
        // A submenu not made yet takes the new phrase from the tree when it is.
        if (submenu.menu) insertEntry(submenu.menu, item, atEnd, columnBreak);
        saveDataFile();
    }
}

}  // namespace tv
