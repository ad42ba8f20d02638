#include "editor/typing_trigger_refusals.h"

#include <string>

#include "editor/editor_tree.h"
#include "files/typing_triggers.h"
#include "model/tree_walk.h"
#include "res/resource.h"
#include "shell/key_name.h"
#include "shell/messages.h"

namespace tv {

namespace {

const char* const howToFix =
    "プログラムやURLを開く項目は，文字を打つだけで起動しないよう，"
    "Ctrl，Alt，Win のどれかと組み合わせたキーと，2文字以上の略語にしてください．";

// What is wrong with the item, one sentence for each of `triggers`.
std::string triggerFaults(const itemValues& item, typingTriggers triggers) {
    std::string faults;
    if (triggers.key)
        faults += "ショートカットキー「" + keyName(item.vk, item.extKey) + "」は，押すと文字が入力されるキーです．\n";
    if (triggers.abbreviation) faults += "略語「" + item.abbreviation + "」は1文字です．\n";
    return faults;
}

// The refusal waits for its message until the field is done: a message box
// opened from the middle of a key's change would take the key's release.
std::string refusal;

// The entry that shows the item, its folders' pages made on the way; null when none does.
HTREEITEM entryShowing(editorState& editor, HTREEITEM parent, const menuItem* item) {
    for (HTREEITEM entry = firstChildEntry(editor.tree, parent); entry; entry = nextSibling(editor.tree, entry)) {
        if (entryItem(editor.tree, entry) == item) return entry;
        if (HTREEITEM below = entryShowing(editor, entry, item)) return below;
    }
    return nullptr;
}

// The items of `tree` that typing would set off: how many, and the first in menu order.
struct heldBackItems {
    size_t count = 0;
    const menuItem* first = nullptr;
};

heldBackItems findHeldBackItems(const menuNode& tree) {
    heldBackItems found;
    walkTree(
        tree,
        [&](const menuNode& node, size_t, size_t) {
            if (!node.item || !typingTriggersOf(*node.item).any()) return;
            if (found.count++ == 0) found.first = node.item.get();
        },
        [](const menuNode&, size_t) {});
    return found;
}

}  // namespace

itemValues triggerFields(const itemValues& item) {
    itemValues fields;
    fields.mode = item.mode;
    fields.vk = item.vk;
    fields.extKey = item.extKey;
    fields.abbreviation = item.abbreviation;
    return fields;
}

bool refuseTypingTriggers(editorState& editor, const itemValues& changed, changedField field) {
    typingTriggers triggers = typingTriggersOf(changed);
    // A key set right is taken even while the abbreviation still waits to be fixed.
    if (field == changedField::key) triggers.abbreviation = false;
    if (field == changedField::abbreviation) triggers.key = false;
    if (!triggers.any()) return false;
    refusal = triggerFaults(changed, triggers) + howToFix;
    PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_REFUSED_TRIGGER, 0);
    return true;
}

void reportRefusedTrigger(editorState& editor, LPARAM) {
    if (refusal.empty()) return;
    const std::string text = std::move(refusal);
    refusal.clear();
    settingsMessage(editor.window, text.c_str(), MB_ICONWARNING);
}

bool refuseSavingTypingTriggers(editorState& editor, const menuNode& whole) {
    const heldBackItems found = findHeldBackItems(whole);
    if (!found.first) return false;
    if (HTREEITEM entry = entryShowing(editor, editor.rootEntry, found.first)) selectEntry(editor.tree, entry);
    const std::string text = "「" + entryLabel(*found.first) + "」はプログラムやURLを開く項目です．\n" +
                             triggerFaults(*found.first, typingTriggersOf(*found.first)) + howToFix +
                             "\n直すまで保存できません．";
    settingsMessage(editor.window, text.c_str(), MB_ICONWARNING);
    // The box took the focus from a field being typed in, which refused its
    // abbreviation too: this message has said it already.
    refusal.clear();
    return true;
}

void noticeHeldBackItems(editorState& editor, const menuNode& shown) {
    const heldBackItems found = findHeldBackItems(shown);
    if (!found.first) return;
    const std::string text = "プログラムやURLを開く項目のうち " + std::to_string(found.count) + " 個（「" +
                             entryLabel(*found.first) +
                             "」など）は，押すと文字が入力されるキーか1文字の略語で起動するようになっています．\n"
                             "ほかのプログラムがデータファイルを書き換えたのかもしれないため，"
                             "これらのキーと略語は働かないようにしています．\n"
                             "Ctrl，Alt，Win のどれかと組み合わせたキーと，2文字以上の略語に直して保存すると働きます．";
    settingsMessage(editor.window, text.c_str(), MB_ICONWARNING);
}

}  // namespace tv
