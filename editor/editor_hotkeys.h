// The shortcut keys while the editor is open: the running menu's keys stay
// registered (the editor changes copies of the items it edits), except while
// the shortcut-key field has the focus, so that a combination already in use
// reaches the field, and while an entry is renamed in place, so that a key
// pressed there pastes no phrase into the label: then every key is released.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

// The running menu's keys, the root item's (the whole menu's) included.
void setHotkeysRegistered(bool registering);
// True while the keys stay released: the key field has the focus or a rename is open.
bool hotkeysHeldBack(const editorState& editor);
// A rename in place begins (true) or ends (false): the keys go and come back with it.
void setLabelEditing(editorState& editor, bool editing);
void subclassHotkeyField(HWND field);

}  // namespace tv
