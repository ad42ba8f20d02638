// The settings editor, as the rest of the program reaches it.
#pragma once

#include "model/menu_item.h"

namespace tv {

// Opens the editor (or brings it forward) with `preselect` selected when given.
void openSettingsEditor(const menuItem* preselect);

// The program is ending: the editor window goes without saving or asking (the
// close sequence has asked already when there were changes).
void destroySettingsEditor();
// After the message loop: the tree's context menu lives as long as the program.
void destroyEntryContextMenu();

}  // namespace tv
