#include "app/main_commands.h"

#include <optional>

#include "abbrev/abbreviations.h"
#include "app/clipboard_chain.h"
#include "cliphistory/history_edit_dialog.h"
#include "editor/settings_editor.h"
#include "folderpopup/folder_popup.h"
#include "popup/execute.h"
#include "popup/placement.h"
#include "popup/popup_state.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/start_with_windows.h"
#include "shell/wine_compat.h"

namespace tv {

namespace {

// The tray's own entries, below the user's menu while it is open from the tray.
class trayEntries {
public:
    explicit trayEntries(HMENU menu) : menu_(menu), userEntries_(GetMenuItemCount(menu)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | (startsWithWindows() ? MF_CHECKED : MF_UNCHECKED), IDM_MAIN_START_WITH_WINDOWS,
                    "Windows 起動時に Tolvane を起動する");
        if (abbreviationsEnabled())
            AppendMenuA(menu, MF_STRING | (abbreviationsPaused() ? MF_CHECKED : MF_UNCHECKED),
                        IDM_MAIN_PAUSE_ABBREVIATIONS, "略語の展開を一時停止(&A)");
    }
    // The chosen entry's command is already posted; the keys and corners show the items alone.
    ~trayEntries() {
        if (!IsMenu(menu_)) return;
        while (GetMenuItemCount(menu_) > userEntries_) DeleteMenu(menu_, userEntries_, MF_BYPOSITION);
    }
    trayEntries(const trayEntries&) = delete;
    trayEntries& operator=(const trayEntries&) = delete;

private:
    HMENU menu_;
    int userEntries_;
};

// The whole menu at the pointer, tracked at once; the tray's right click adds
// the tray's own entries.
void showWholeMenu(bool withTrayEntries) {
    // Open like any other menu: a hotkey closes it, the corners wait for it.
    HMENU menu = popup().mainMenu;
    if (!menu || !beginMenu()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    std::optional<trayEntries> entries;
    if (withTrayEntries) entries.emplace(menu);
    trackAndFinish(menu, cursor);
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
    case IDM_SHOW_WHOLE_MENU: showWholeMenu(lParam == fromTrayIcon); return 1;
    case IDM_MAIN_PASTE_KEYSTROKE: onPasteKeystroke(); return 1;
    case IDM_MAIN_ADD_CAPTURED_CLIP: addCapturedClip(lParam != 0); return 1;
    case IDM_MAIN_OPEN_EDITOR: openSettingsEditor(nullptr); return 0;
    case IDM_MAIN_SHOW_MENU: onShowMenu(placementMode, reinterpret_cast<HMENU>(lParam)); return 0;
    case IDM_MAIN_NOTHING: return 0;
    case IDM_MAIN_OPEN_HISTORY_EDITOR: openHistoryEditor(nullptr); return 0;
    case IDM_MAIN_ENCLOSE_COPY: onEncloseCopy(static_cast<uint16_t>(lParam)); return 1;
    case IDM_MAIN_ENCLOSE_INSERT: onEncloseInsert(static_cast<uint16_t>(lParam)); return 1;
    case IDM_MAIN_ABBREVIATION_HIT: runAbbreviationHit(); return 0;
    case IDM_MAIN_PAUSE_ABBREVIATIONS: toggleAbbreviationPause(); return 0;
    case IDM_MAIN_TRACK_MENU: onTrackMenu(placementMode, reinterpret_cast<HMENU>(lParam)); return 0;
    case IDM_VOSSEL_SETTINGS: openFolderPopupSettings(); return 0;
    case IDM_MAIN_START_WITH_WINDOWS: toggleStartWithWindows(); return 0;
    }
    // Entries of items beyond the id space all carry id 0: none of them runs.
    if (id == noItemId) return 0;
    dispatchItemCommand(invokedFromMenu, id, lParam == 1);
    return 0;
}

}  // namespace tv
