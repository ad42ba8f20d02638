// The settings editor and the history edit dialog, as the rest of the program
// reaches them.
#pragma once

#include "model/menu_item.h"

namespace tv {

// Opens the editor (or brings it forward) with `preselect` selected when given.
void openSettingsEditor(const menuItem* preselect);
// Opens the history edit dialog with `entry` selected when given.
void openHistoryEditor(const menuItem* entry);

}  // namespace tv
