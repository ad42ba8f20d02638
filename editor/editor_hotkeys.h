// The shortcut keys while the editor is open: the menu runs from the editing
// copy, so its keys are registered, and the whole menu's key is registered
// under command 102. While the shortcut-key field has the focus every key is
// released, so that a combination already in use reaches the field.
#pragma once

#include <windows.h>

namespace tv {

// The editing copy's keys, then the whole menu's key as command 102.
void setHotkeysRegistered(bool registering);
void subclassHotkeyField(HWND field);

}  // namespace tv
