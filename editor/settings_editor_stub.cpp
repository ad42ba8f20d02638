#include "editor/settings_editor.h"

namespace tv {

// The settings editor window plugs in here; until it exists, opening it does nothing.
void openSettingsEditor(const menuItem*) {}

// The history edit dialog plugs in here.
void openHistoryEditor(const menuItem*) {}

}  // namespace tv
