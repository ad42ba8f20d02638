#include "popup/execute.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "cliphistory/clip_history.h"
#include "cliphistory/clipboard_capture.h"
#include "cliphistory/history_edit_dialog.h"
#include "cliphistory/history_list.h"
#include "files/code_page.h"
#include "files/escaping.h"
#include "files/item_text.h"
#include "files/unicode_escape.h"
#include "folderpopup/folder_popup.h"
#include "folderpopup/shell_link.h"
#include "popup/clipboard_restore.h"
#include "popup/date_now.h"
#include "popup/fill_in_paste.h"
#include "popup/placement.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "popup/quick_add.h"
#include "popup/target_field.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/own_keys.h"
#include "shell/tray.h"
#include "shell/wine_compat.h"

namespace tv {

namespace {

struct menuEntry {
    bool found = false;
    menuItem* item = nullptr;
    HMENU submenu = nullptr;
};

bool lookUpEntry(UINT id, MENUITEMINFOA& info) {
    info = MENUITEMINFOA{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU | MIIM_ID | MIIM_DATA;
    return popup().mainMenu && GetMenuItemInfoA(popup().mainMenu, id, FALSE, &info);
}

// Searches the main popup menu, submenus included, for the command. An entry in
// a submenu that has not opened yet is made first.
menuEntry findMenuEntry(UINT id) {
    menuEntry entry;
    MENUITEMINFOA info;
    if (!lookUpEntry(id, info)) {
        const menuItem* item = app().model.registry.findById(static_cast<uint16_t>(id));
        if (!item) return entry;
        buildEntriesUpTo(*item);
        if (!lookUpEntry(id, info)) return entry;
    }
    entry.found = true;
    entry.item = reinterpret_cast<menuItem*>(info.dwItemData);
    entry.submenu = info.hSubMenu;
    return entry;
}

void requestMenu(int placementMode, HMENU menu, bool viaHotkey) {
    showKeyboardAnchor();
    SetForegroundWindow(app().mainWindow);
    if (viaHotkey) setTrayIcon(app().activeIcon);
    PostMessageA(app().mainWindow, WM_COMMAND, MAKEWPARAM(IDM_MAIN_SHOW_MENU, placementMode),
                 reinterpret_cast<LPARAM>(menu));
}

// Four keystrokes: Control down, the key down and up, Control up.
void sendControlChord(BYTE key) {
    sendOwnKey(VK_CONTROL);
    tapOwnKey(key);
    sendOwnKey(VK_CONTROL, KEYEVENTF_KEYUP);
}

// The user still holds a modifier of the shortcut, which would make our chord
// another one (Ctrl+Alt+V pastes nothing): wait by posting the command again.
bool repostWhileModifierHeld(UINT command, LPARAM lParam) {
    const int modifiers[] = {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN};
    if (std::none_of(std::begin(modifiers), std::end(modifiers), [](int key) { return GetAsyncKeyState(key) < 0; }))
        return false;
    PostMessageA(app().mainWindow, WM_COMMAND, command, lParam);
    return true;
}

void pastePhrase(const std::string& text) { putTextAndPaste(text, true); }

void runProgram(const std::string& data) {
    twoLines lines = splitTwoLines(data);
    if (!shortcutChainEnds(app().mainWindow, lines.first)) return;
    std::string directory = workingDirectoryOf(lines.first);
    ShellExecuteA(nullptr, "OPEN", lines.first.c_str(), lines.second.c_str(),
                  directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void eraseHistoryAfterWarning() {
    if (settingsMessage(app().mainWindow, "履歴をすべて消去しますか？", MB_SYSTEMMODAL | MB_ICONWARNING | MB_YESNO) ==
        IDNO)
        return;
    clipHistory().eraseHistory();
    refreshHistoryEditDialog();  // it must not go on listing the freed entries
    saveHistoryNow();
}

namespace {

menuItem* encloseItem(uint16_t itemId) { return itemId ? findMenuEntry(itemId).item : nullptr; }

}  // namespace

void dispatchItemCommand(bool invokedFromMenu, UINT id, bool viaHotkey) {
    menuEntry entry = findMenuEntry(id);
    if (!entry.found) {
        if (itemRef historyEntry = clipHistory().findHistoryEntry(static_cast<uint16_t>(id))) {
            // Picked with the right button: keep it as a phrase instead of pasting it.
            if (popup().addToItems && popup().currentHistoryItem)
                quickAddHistoryEntry(*historyEntry, *popup().currentHistoryItem);
            else
                executeItem(*historyEntry, invokedFromMenu);
            return;
        }
        // The root item has no entry of its own: its key shows the whole menu at the pointer.
        requestMenu(0, popup().mainMenu, viaHotkey);
        return;
    }
    if (entry.submenu) {
        requestMenu(app().config.ShowMenuPosMode, entry.submenu, viaHotkey);
        return;
    }
    if (isFolderCommand(id)) return;  // the folder popup's own entries
    if (entry.item) executeItem(*entry.item, invokedFromMenu);
}

void executeItem(menuItem& item, bool invokedFromMenu) {
    if (invokedFromMenu && GetAsyncKeyState(VK_SHIFT) < 0) {
        // Shift+click edits instead of inserting.
        if (item.mode == itemMode::historyEntry)
            openHistoryEditor(&item);
        else
            popup().openSettingsEditor(&item);
        return;
    }
    switch (item.mode) {
    case itemMode::inputString:
    case itemMode::inputDataString: {
        bool unicodeEscapes = false;
        const std::string& phrase = *phraseTextOf(item, unicodeEscapes);
        pasteFilledIn(phrase, unicodeEscapes);
        break;
    }
    case itemMode::exeProgram:
    case itemMode::folderPopup: runProgram(item.data); break;
    case itemMode::showSetting: popup().openSettingsEditor(&item); break;
    case itemMode::dateTimeExt: pastePhrase(expandDateTimeNow(item.text)); break;
    case itemMode::editHistory: openHistoryEditor(nullptr); break;
    case itemMode::exit: PostMessageA(app().mainWindow, WM_CLOSE, 0, 0); break;
    case itemMode::eraseClipHistory: eraseHistoryAfterWarning(); break;
    case itemMode::newDateTime: pastePhrase(expandDateTimeNow(item.data)); break;
    case itemMode::encloseSelection:
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_ENCLOSE_COPY, item.itemId);
        break;
    case itemMode::historyEntry:
        popup().clip.fromHistory = true;
        if (item.unicodeEscapes)
            pasteUnicode(historyTextToUtf16(item), false);
        else
            putTextAndPaste(unescapeText(item.text), false);
        break;
    default: break;  // separators, placeholders and history folders do nothing
    }
}

bool putTextAndPaste(const std::string& text, bool ownChange, const std::u16string& wide) {
    if (!openClipboardWhenFree(app().mainWindow)) {
        popup().clip.caretBack = 0;
        forgetUserClipboard();
        return false;
    }
    giveFocusToTarget();
    lendUserClipboard();
    EmptyClipboard();
    // Set before the clipboard changes: the notification it causes must already see them.
    popup().clip.ownChange = ownChange;
    popup().clip.pasteAfterSet = true;
    putPhraseOnClipboard(text, wide);
    CloseClipboard();
    return true;
}

void pasteUnicode(const std::u16string& text, bool ownChange) {
    std::string codePage;
    if (utf16ToCodePage932(text, codePage))
        putTextAndPaste(codePage, ownChange);
    else
        putTextAndPaste(codePage, ownChange, text);
}

void onPasteKeystroke() {
    if (repostWhileModifierHeld(IDM_MAIN_PASTE_KEYSTROKE, 0)) return;
    waitForTarget();
    sendControlChord('V');
    onPasteSent();
    // An enclose with nothing selected leaves the caret between its two strings.
    for (; popup().clip.caretBack > 0; --popup().clip.caretBack) tapOwnKey(VK_LEFT, KEYEVENTF_EXTENDEDKEY);
}

void onEncloseCopy(uint16_t itemId) {
    if (itemId == 0) return;
    if (!repostWhileModifierHeld(IDM_MAIN_ENCLOSE_COPY, itemId)) {
        // Ctrl+C is about to replace the user's clipboard with the selection.
        lendUserClipboardNow();
        waitForTarget();
        popup().clip.pendingEnclose = itemId;
        popup().clip.ownChange = true;
        sendControlChord('C');
    }
    SetTimer(app().mainWindow, IDT_ENCLOSE_FALLBACK, 500, nullptr);
}

void onEncloseInsert(uint16_t itemId) {
    menuItem* item = encloseItem(itemId);
    if (!item) {
        forgetUserClipboard();
        return;
    }
    std::string selection;
    // Still unreadable after a wait: the selection stays as it was rather than
    // being replaced by the two strings alone.
    if (!readClipboardTextRaw(app().mainWindow, selection)) {
        forgetUserClipboard();
        return;
    }
    twoLines lines = splitTwoLines(item->data);
    const std::string closing = unescapeText(lines.second);
    if (selection.empty()) popup().clip.caretBack = caretSteps(closing);
    pastePhrase(unescapeText(lines.first) + selection + closing);
}

// Nothing was selected, so Ctrl+C changed nothing: both strings go in, with the
// caret between them. A one-line field would keep only the first line of the
// two, so there they go in joined.
void onEncloseFallback() {
    uint16_t itemId = popup().clip.pendingEnclose;
    if (itemId == 0) return;
    popup().clip.pendingEnclose = 0;
    menuItem* item = encloseItem(itemId);
    if (!item) {
        forgetUserClipboard();
        return;
    }
    twoLines lines = splitTwoLines(item->data);
    const std::string closing = unescapeText(lines.second);
    popup().clip.caretBack = caretSteps(closing);
    if (isOneLineField(popup().target.focus))
        pastePhrase(unescapeText(lines.first) + closing);
    else
        pastePhrase(unescapeText(item->data));
}

}  // namespace tv
