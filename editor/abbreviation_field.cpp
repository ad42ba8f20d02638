#include "editor/abbreviation_field.h"

#include <string>

#include "abbrev/abbreviation_matcher.h"
#include "editor/editor_tree.h"
#include "editor/properties_pane.h"
#include "editor/typing_trigger_refusals.h"
#include "files/abbreviation_text.h"
#include "files/code_page.h"
#include "files/typing_triggers.h"
#include "res/resource.h"
#include "shell/window_text.h"

namespace tv {

namespace {

bool showing = false;  // the field is being filled, not typed in

// The entry the field took the focus for, and its abbreviation then.
HTREEITEM enteredEntry = nullptr;
std::string enteredAbbreviation;

// Which item has the same abbreviation, and which of the two expands: the first
// in menu order.
void showHolder(const editorState& editor, const menuItem& item) {
    std::string note;
    if (typingTriggersOf(item).abbreviation) {
        note = "1文字の略語ではプログラムやURLは開きません";
    } else if (!item.abbreviation.empty() && modeTakesAbbreviation(item.mode)) {
        const menuNode whole = copyEditorSubtree(editor, editor.rootEntry);
        if (const menuItem* holder = findAbbreviationHolder(whole, item.abbreviation, &item)) {
            const bool holderFirst = findAbbreviationHolder(whole, item.abbreviation, nullptr) == holder;
            note = "「" + entryLabel(*holder) + "」と重複：" + (holderFirst ? "そちらが" : "この項目が") + "展開されます";
        }
    }
    setWindowText932(editor.abbreviationNote, note);
}

// Into the field without counting as typed.
void putBack(editorState& editor, const std::string& abbreviation) {
    showing = true;
    setWindowText932(editor.abbreviation, abbreviation);
    showing = false;
}

}  // namespace

void showAbbreviation(editorState& editor) {
    const menuItem* item = editor.selectedItem;
    const bool takesOne = item && modeTakesAbbreviation(item->mode);
    SendMessageA(editor.abbreviation, EM_LIMITTEXT, maxAbbreviationBytes, 0);
    putBack(editor, takesOne ? item->abbreviation : std::string());
    EnableWindow(editor.abbreviation, takesOne);
    EnableWindow(editor.abbreviationLabel, takesOne);
    if (takesOne)
        showHolder(editor, *item);
    else
        SetWindowTextA(editor.abbreviationNote, "");
}

void onAbbreviationChanged(editorState& editor) {
    menuItem* item = editor.selectedItem;
    if (showing || !item) return;
    const std::u16string shown = windowTextUtf16(editor.abbreviation);
    if (pairHalfTyped(editor.abbreviation, shown)) return;
    if (refuseLackingCharacter(editor, shown, IDM_EDITOR_REFUSED_ABBREVIATION_CHARACTER)) {
        const refusedChange change = noteRefusedChange(editor.abbreviation, shown.size());
        putBack(editor, item->abbreviation);
        placeCaretAfterRefusal(editor.abbreviation, change);
        return;
    }
    std::string typed;
    utf16ToCodePage932(shown, typed);
    const std::string usable = usableAbbreviation(typed);
    if (usable != item->abbreviation) {
        item = editableItem(editor, editor.selectedEntry);
        item->abbreviation = usable;
        markModified();
    }
    // A pasted tab or line break goes; what stays is what the item keeps.
    if (usable != typed) {
        putBack(editor, usable);
        const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthW(editor.abbreviation));
        SendMessageW(editor.abbreviation, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    showHolder(editor, *item);
}

void onAbbreviationEntered(editorState& editor) {
    enteredEntry = editor.selectedItem ? editor.selectedEntry : nullptr;
    enteredAbbreviation = editor.selectedItem ? editor.selectedItem->abbreviation : std::string();
}

// The selection may have moved on already (a click in the tree takes the
// focus): the entry the abbreviation was typed for is the one looked at.
void onAbbreviationLeft(editorState& editor) {
    HTREEITEM entry = enteredEntry;
    enteredEntry = nullptr;
    menuItem* item = entry ? entryItem(editor.tree, entry) : nullptr;
    // One the data file gave it, left as it was, waits for the save to be named.
    if (!item || item->abbreviation == enteredAbbreviation) return;
    if (!refuseTypingTriggers(editor, triggerFields(*item), changedField::abbreviation)) return;
    item->abbreviation = enteredAbbreviation;
    if (entry == editor.selectedEntry) showAbbreviation(editor);
}

}  // namespace tv
