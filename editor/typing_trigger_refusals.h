// Program items and what ordinary typing sets off (files/typing_triggers.h).
// The editor gives no item that runs a program or opens a URL a key that types
// a character or an abbreviation of one character: it refuses them when the
// user sets one, and refuses to save while the menu holds such an item. When
// it opens on a menu that holds some (written by hand or by another program),
// it says once that their keys and abbreviations do not work until fixed.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"
#include "model/menu_item.h"
#include "model/menu_node.h"

namespace tv {

// The fields of an item that say what typing sets off, without the rest (a
// content may be long): what a change is tried on before it is made.
itemValues triggerFields(const itemValues& item);

// What the user changed: the key (or its Win box), the abbreviation, the mode.
enum class changedField { key, abbreviation, mode };
// True when the item, changed as the user asks, would be such an item by that
// change: the change is to be undone, and the user is told why once the field
// has finished with it.
bool refuseTypingTriggers(editorState& editor, const itemValues& changed, changedField field);
// IDM_EDITOR_REFUSED_TRIGGER: that message.
void reportRefusedTrigger(editorState& editor, LPARAM);

// Before a save of `whole`: true when it holds such an item, which is then
// selected and named, and nothing is saved.
bool refuseSavingTypingTriggers(editorState& editor, const menuNode& whole);

// Once the editor shows the menu it opened on: the one notice, when it holds such items.
void noticeHeldBackItems(editorState& editor, const menuNode& shown);

}  // namespace tv
