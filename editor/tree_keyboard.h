// Keys in the editor tree beyond the tree view's own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"

namespace tv {

void onTreeKeyDown(editorState& editor, const NMTVKEYDOWN& key);
void onTreeReturn(editorState& editor);  // NM_RETURN

}  // namespace tv
