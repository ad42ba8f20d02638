#include "editor/abbreviation_field.h"

#include <string>

#include "abbrev/abbreviation_matcher.h"
#include "editor/editor_tree.h"
#include "editor/typing_trigger_refusals.h"
#include "files/abbreviation_text.h"
#include "files/typing_triggers.h"
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
    SetWindowTextA(editor.abbreviationNote, note.c_str());
}

}  // namespace

void showAbbreviation(editorState& editor) {
    const menuItem* item = editor.selectedItem;
    const bool takesOne = item && modeTakesAbbreviation(item->mode);
    showing = true;
    SendMessageA(editor.abbreviation, EM_LIMITTEXT, maxAbbreviationBytes, 0);
    SetWindowTextA(editor.abbreviation, takesOne ? item->abbreviation.c_str() : "");
    showing = false;
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
    const std::string typed = windowText(editor.abbreviation);
    const std::string usable = usableAbbreviation(typed);
    if (usable != item->abbreviation) {
        item = editableItem(editor, editor.selectedEntry);
        item->abbreviation = usable;
        markModified();
    }
    // A pasted tab or line break goes; what stays is what the item keeps.
    if (usable != typed) {
        showing = true;
        SetWindowTextA(editor.abbreviation, usable.c_str());
        SendMessageA(editor.abbreviation, EM_SETSEL, usable.size(), usable.size());
        showing = false;
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
