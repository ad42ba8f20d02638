#include "editor/properties_pane.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "editor/abbreviation_field.h"
#include "editor/dialog_keys.h"
#include "editor/editor_hotkeys.h"
#include "editor/editor_tree.h"
#include "editor/item_text_rules.h"
#include "editor/mode_texts.h"
#include "editor/settings_editor.h"
#include "editor/typing_trigger_refusals.h"
#include "files/code_page.h"
#include "files/unicode_escape.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/item_icons.h"
#include "shell/messages.h"
#include "shell/window_text.h"

namespace tv {

namespace {

// Set while the pane shows another entry: the fields' change notifications
// then carry nothing the user typed.
bool filling = false;

const char* const cornerTexts[] = {"なし", "画面左上隅", "画面左下隅", "画面右上隅", "画面右下隅"};

bool rootSelected(const editorState& editor) {
    return editor.selectedEntry && editor.selectedEntry == editor.rootEntry;
}

// The item the shortcut key, "+Win" and corner fields show and write to: the
// root item for "メニュー" (when the menu has any item), else the selected one.
menuItem* keyTarget(const editorState& editor) {
    if (rootSelected(editor)) return app().model.registry.empty() ? nullptr : editor.rootItem.get();
    return editor.selectedItem;
}

menuItem* editableKeyTarget(editorState& editor) {
    if (rootSelected(editor)) return app().model.registry.empty() ? nullptr : editableRootItem(editor);
    return editableItem(editor, editor.selectedEntry);
}

int selectedMode(const editorState& editor) {
    LRESULT mode = SendMessageA(editor.modeList, CB_GETCURSEL, 0, 0);
    return mode < 0 ? itemMode::insertFront : static_cast<int>(mode);
}

void showKeys(editorState& editor, const menuItem* item) {
    SendMessageA(editor.hotkey, HKM_SETHOTKEY, item ? item->vk : 0, 0);
    SendMessageA(editor.winKey, BM_SETCHECK, item && (item->extKey & extKeyWin) ? BST_CHECKED : BST_UNCHECKED, 0);
    // Through the item: one beyond the id space keeps its corner itself.
    int corner = item ? app().model.cornerOf(*item) : 0;
    SendMessageA(editor.corner, CB_SETCURSEL, static_cast<WPARAM>(corner), 0);
}

// The key fields back to the item's key after a refused change.
void restoreKeys(editorState& editor, const menuItem* item) {
    filling = true;
    showKeys(editor, item);
    filling = false;
}

std::string rootDisplayText() {
    std::string text = "メニュー";
    if (app().dataFileName != "tv2_text.ini") text += " : " + app().dataFileName;
    return text;
}

// Enter goes on to the content field, as Tab does by the dialog's order;
// Ctrl+Up and Ctrl+Down move the entry, as they do in the tree.
LRESULT CALLBACK displayTextProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* editor = reinterpret_cast<editorState*>(data);
    switch (message) {
    case WM_GETDLGCODE:
        if (isKeyDown(lParam, VK_RETURN)) return DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            SetFocus(editor->content);
            return 0;
        }
        if (GetKeyState(VK_CONTROL) < 0 && (wParam == VK_UP || wParam == VK_DOWN)) {
            PostMessageA(editor->window, WM_COMMAND, wParam == VK_UP ? IDC_MOVE_UP : IDC_MOVE_DOWN, 0);
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_TAB || wParam == VK_RETURN) return 0;
        break;
    case WM_CHAR:
        if (wParam == '\t' || wParam == '\r' || wParam == '\n') return 0;  // no beep, no character
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

// Tab moves on from the content field as from every other control, so a
// keyboard user is never caught in it; Ctrl+Tab is how a TAB byte gets in.
// Escape would close the editor (a multi-line edit in a dialog closes it),
// which closes only from キャンセル, Alt+F4 or its close box.
LRESULT CALLBACK contentProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (message) {
    case WM_GETDLGCODE:
        if (isKeyDown(lParam, VK_TAB) && !control)
            return DefSubclassProc(field, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB && control) {
            SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\t"));
            return 0;
        }
        if (wParam == VK_ESCAPE) return 0;
        break;
    case WM_CHAR:
        if (wParam == '\t' && control) return 0;  // the key-down typed it
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

std::string displayTextFrom(std::u16string_view shown) {
    std::string text;
    utf16ToCodePage932(shown, text);
    return oneLineText(std::move(text));
}

// The field back to the item's text, the caret where the refused change began.
void restoreDisplayText(editorState& editor, const std::string& text, size_t refusedLength) {
    const refusedChange change = noteRefusedChange(editor.displayText, refusedLength);
    showDisplayText(editor, text);
    placeCaretAfterRefusal(editor.displayText, change);
}

void reportRefusal(editorState& editor, const char16_t* field, LPARAM codePoint) {
    const uint32_t c = static_cast<uint32_t>(codePoint);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    std::u16string message = field + std::u16string(u"に「");
    appendUtf16(c, message);
    message += u"」（" + codePage932ToUtf16(code) + u"）は使えません．\n" + field +
               u"に使えるのはシフトJISの文字だけです．";
    settingsMessageUtf16(editor.window, message, MB_ICONWARNING);
}

}  // namespace

std::string fieldDisplayText(HWND field) { return displayTextFrom(windowTextUtf16(field)); }

codePageText fieldContent(const editorState& editor, const menuItem* shownItem) {
    std::u16string shown = windowTextUtf16(editor.content);
    if (shownItem && shown == contentToUtf16(shownItem->data, shownItem->unicodeEscapes))
        return {shownItem->data, shownItem->unicodeEscapes};
    return contentFromUtf16(shown);
}

bool refuseLackingCharacter(editorState& editor, std::u16string_view text, UINT reportCommand) {
    uint32_t lacking = firstLackingInPlainText(text);
    if (lacking) PostMessageA(editor.window, WM_COMMAND, reportCommand, lacking);
    return lacking != 0;
}

bool pairHalfTyped(HWND field, std::u16string_view text) {
    DWORD caret = 0;
    SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    return caret > 0 && caret <= text.size() && text[caret - 1] >= 0xD800 && text[caret - 1] <= 0xDBFF;
}

refusedChange noteRefusedChange(HWND field, size_t refusedLength) {
    DWORD caret = 0;
    SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    return {caret, refusedLength};
}

void placeCaretAfterRefusal(HWND field, const refusedChange& change) {
    const size_t length = static_cast<size_t>(GetWindowTextLengthW(field));
    const size_t inserted = change.refusedLength > length ? change.refusedLength - length : 0;
    const size_t at = std::min(change.caret > inserted ? change.caret - inserted : 0, length);
    SendMessageW(field, EM_SETSEL, at, at);
}

void reportRefusedCharacter(editorState& editor, LPARAM codePoint) { reportRefusal(editor, u"表示テキスト", codePoint); }

void reportRefusedAbbreviationCharacter(editorState& editor, LPARAM codePoint) {
    reportRefusal(editor, u"略語", codePoint);
}

void initPaneControls(editorState& editor) {
    for (const char* text : cornerTexts) SendMessageA(editor.corner, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(editor.corner, CB_SETCURSEL, 0, 0);
    for (int mode = 0; mode < editorModeCount; ++mode)
        SendMessageA(editor.modeList, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(modeListText(static_cast<uint8_t>(mode))));
    SendMessageA(editor.modeList, CB_SETCURSEL, itemMode::insertFront, 0);
    SetWindowSubclass(editor.displayText, displayTextProc, 1, reinterpret_cast<DWORD_PTR>(&editor));
    SetWindowSubclass(editor.content, contentProc, 1, 0);
    subclassHotkeyField(editor.hotkey);
}

void showDisplayText(editorState& editor, const std::string& text) {
    bool wasFilling = filling;
    filling = true;
    setWindowText932(editor.displayText, text);
    filling = wasFilling;
}

void fillPane(editorState& editor, HTREEITEM entry) {
    const bool modified = settingsEditor().modified;
    filling = true;
    editor.selectedEntry = entry;
    editor.selectedItem = entry == editor.rootEntry ? nullptr : entryItem(editor.tree, entry);
    if (entry && entry == editor.rootEntry) {
        setWindowText932(editor.displayText, rootDisplayText());
        setWindowText932(editor.content, rootHelpText());
        SendMessageA(editor.modeList, CB_SETCURSEL, itemMode::insertFront, 0);
        showKeys(editor, keyTarget(editor));
    } else if (menuItem* item = editor.selectedItem) {
        setWindowText932(editor.displayText, item->text);
        setWindowTextUtf16(editor.content, contentToUtf16(item->data, item->unicodeEscapes));
        SendMessageA(editor.modeList, CB_SETCURSEL, item->mode, 0);
        showKeys(editor, item);
    }
    applyModeChange(editor, false, false, true);
    showAbbreviation(editor);
    filling = false;
    settingsEditor().modified = modified;
}

void onDisplayTextChanged(editorState& editor) {
    menuItem* item = editor.selectedItem;
    if (filling || !item) return;
    std::u16string shown = windowTextUtf16(editor.displayText);
    if (pairHalfTyped(editor.displayText, shown)) return;
    if (refuseLackingCharacter(editor, shown, IDM_EDITOR_REFUSED_CHARACTER)) {
        restoreDisplayText(editor, item->text, shown.size());
        return;
    }
    markModified();
    std::string text = displayTextFrom(shown);
    if (text == item->text) return;
    item = editableItem(editor, editor.selectedEntry);
    item->text = text;
    setEntryLabel(editor.tree, editor.selectedEntry, entryLabel(*item));
}

void onContentChanged(editorState& editor) {
    menuItem* item = editor.selectedItem;
    if (filling || !item) return;
    markModified();
    codePageText content = fieldContent(editor, item);
    item = editableItem(editor, editor.selectedEntry);
    item->data = std::move(content.bytes);
    item->unicodeEscapes = content.unicodeEscapes;
    int mode = selectedMode(editor);
    // A program's or folder's icon is the one of the path in the content.
    if (mode == itemMode::exeProgram || mode == itemMode::folderPopup) applyModeChange(editor, true, true, false);
}

void onHotkeyChanged(editorState& editor) {
    if (filling) return;
    const uint16_t vk = static_cast<uint16_t>(SendMessageA(editor.hotkey, HKM_GETHOTKEY, 0, 0));
    if (const menuItem* shown = keyTarget(editor)) {
        itemValues changed = triggerFields(*shown);
        changed.vk = vk;
        if (refuseTypingTriggers(editor, changed, changedField::key)) {
            restoreKeys(editor, shown);
            return;
        }
    }
    markModified();
    if (menuItem* item = editableKeyTarget(editor)) item->vk = vk;
}

void onWinKeyClicked(editorState& editor) {
    if (filling) return;
    const bool win = SendMessageA(editor.winKey, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const uint8_t winBit = win ? extKeyWin : 0;
    if (const menuItem* shown = keyTarget(editor)) {
        itemValues changed = triggerFields(*shown);
        changed.extKey = static_cast<uint8_t>((shown->extKey & ~extKeyWin) | winBit);
        if (refuseTypingTriggers(editor, changed, changedField::key)) {
            restoreKeys(editor, shown);
            return;
        }
    }
    markModified();
    menuItem* item = editableKeyTarget(editor);
    if (item) item->extKey = static_cast<uint8_t>((item->extKey & ~extKeyWin) | winBit);
}

void onCornerChanged(editorState& editor) {
    if (filling) return;
    markModified();
    menuItem* item = editableKeyTarget(editor);
    LRESULT corner = SendMessageA(editor.corner, CB_GETCURSEL, 0, 0);
    if (item && corner >= 0) app().model.setCorner(*item, static_cast<int>(corner));
}

void onModeListChanged(editorState& editor) {
    if (filling) return;
    markModified();
    applyModeChange(editor, true, false, false);
}

void onModeCommand(editorState& editor, uint8_t mode) {
    SendMessageA(editor.modeList, CB_SETCURSEL, mode, 0);
    markModified();
    applyModeChange(editor, true, false, false);
}

void applyModeChange(editorState& editor, bool /*fromUser*/, bool force, bool captionOnly) {
    const int mode = selectedMode(editor);
    SetWindowTextA(editor.contentLabel, contentCaption(static_cast<uint8_t>(mode)));
    if (rootSelected(editor) || !editor.selectedItem || captionOnly) return;
    // A program item's key and abbreviation must be ones typing does not set off.
    const uint8_t shownMode = editor.selectedItem->mode;
    itemValues changed = triggerFields(*editor.selectedItem);
    changed.mode = static_cast<uint8_t>(mode);
    if (mode != shownMode && refuseTypingTriggers(editor, changed, changedField::mode)) {
        SendMessageA(editor.modeList, CB_SETCURSEL, shownMode, 0);
        SetWindowTextA(editor.contentLabel, contentCaption(shownMode));
        return;
    }
    menuItem* item = editableItem(editor, editor.selectedEntry);

    HWND tree = editor.tree;
    HTREEITEM entry = editor.selectedEntry;
    const int previous = item->mode;
    item->mode = static_cast<uint8_t>(mode);
    if (modeTakesAbbreviation(static_cast<uint8_t>(previous)) != modeTakesAbbreviation(item->mode))
        showAbbreviation(editor);
    if (auto text = replacedDisplayText(static_cast<uint8_t>(mode), item->text)) {
        item->text = *text;
        showDisplayText(editor, item->text);
        // The label follows the new text here: below, a folder's label (and
        // one whose mode stays) is left as it is.
        setEntryLabel(tree, entry, entryLabel(*item));
    }
    if (mode == previous && !force && mode != itemMode::exeProgram) return;

    const bool hasChildren = hasChildEntries(tree, entry);
    // A folder shows the folder icon whatever its mode, except where the mode
    // changes what the label or the icon looks like.
    if (hasChildren && previous != itemMode::clipBoardHistory && mode != itemMode::clipBoardHistory &&
        mode != itemMode::exeProgram && previous != itemMode::dateTimeExt && previous != itemMode::newDateTime &&
        mode != itemMode::dateTimeExt && mode != itemMode::newDateTime)
        return;
    setEntryLabel(tree, entry, entryLabel(*item));
    // The content may name another program now: extract its icon again.
    const bool fromFile = mode == itemMode::exeProgram || mode == itemMode::folderPopup;
    int image = iconIndex(*item, hasChildren, !fromFile, isExpanded(tree, entry), false);
    TVITEMA change{};
    change.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    change.hItem = entry;
    change.iImage = change.iSelectedImage = image;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

}  // namespace tv
