// The tree's right-click menu: the fifteen modes (the selected item's checked),
// rename, copy, delete, icon, new and run. Made once, kept until the program ends.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

void buildEntryContextMenu();
void onContextMenuHit(editorState& editor);                   // 123: right click in the tree
void showEntryContextMenu(editorState& editor, bool atCentre);  // 124

}  // namespace tv
