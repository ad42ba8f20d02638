// The shortcut keys while the editor is open: the running menu's keys stay
// registered (the editor changes copies of the items it edits), except while
// the shortcut-key field has the focus: then every key is released, so that a
// combination already in use reaches the field.
#pragma once

#include <windows.h>

namespace tv {

// The running menu's keys, the root item's (the whole menu's) included.
void setHotkeysRegistered(bool registering);
void subclassHotkeyField(HWND field);

}  // namespace tv
