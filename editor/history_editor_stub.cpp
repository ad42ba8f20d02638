#include "app/app_state.h"
#include "app/messages.h"
#include "editor/settings_editor.h"

namespace tv {

// The history edit dialog plugs in here.
void openHistoryEditor(const menuItem*) { reportNotAvailableYet(app().editorWindow, "履歴の編集"); }

}  // namespace tv
