#include "app/main_commands.h"

#include "app/clipboard_chain.h"
#include "cliphistory/history_edit_dialog.h"
#include "editor/settings_editor.h"
#include "folderpopup/folder_popup.h"
#include "popup/execute.h"
#include "popup/placement.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"
#include "shell/wine_compat.h"

namespace tv {

namespace {

// The tray's right click: the whole menu at the pointer, tracked at once.
void showTrayMenu() {
    // Open like any other menu: a hotkey closes it, the corners wait for it.
    if (!popup().mainMenu || !beginMenu()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    trackAndFinish(popup().mainMenu, cursor);
}

}  // namespace

LRESULT handleCommand(UINT id, LPARAM lParam, bool invokedFromMenu, WORD placementMode) {
    if (isFolderCommand(id)) {
        executeFolderCommand(id);
        SetCurrentDirectoryA(app().startDirectory.c_str());
        return 0;
    }
    // Folder popups and shell commands may have moved the current directory.
    SetCurrentDirectoryA(app().startDirectory.c_str());
    switch (id) {
    case mainCommand::showTrayMenu: showTrayMenu(); return 1;
    case mainCommand::pasteKeystroke: onPasteKeystroke(); return 1;
    case mainCommand::addCapturedClip: addCapturedClip(lParam != 0); return 1;
    case mainCommand::openEditor: openSettingsEditor(nullptr); return 0;
    case mainCommand::showMenu: onShowMenu(placementMode, reinterpret_cast<HMENU>(lParam)); return 0;
    case mainCommand::nothing: return 0;
    case mainCommand::openHistoryEditor: openHistoryEditor(nullptr); return 0;
    case mainCommand::encloseCopy: onEncloseCopy(static_cast<uint16_t>(lParam)); return 1;
    case mainCommand::encloseInsert: onEncloseInsert(static_cast<uint16_t>(lParam)); return 1;
    case mainCommand::trackMenu: onTrackMenu(placementMode, reinterpret_cast<HMENU>(lParam)); return 0;
    case mainCommand::vosselSettings: openFolderPopupSettings(); return 0;
    }
    // Entries of items beyond the id space all carry id 0: none of them runs.
    if (id == noItemId) return 0;
    dispatchItemCommand(invokedFromMenu, id, lParam == 1);
    return 0;
}

}  // namespace tv
