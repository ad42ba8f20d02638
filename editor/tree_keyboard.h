// Keys in the editor tree beyond the tree view's own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"

namespace tv {

// Enter stays the tree's (it renames) rather than the dialog's.
void subclassTreeKeys(HWND tree);
void onTreeKeyDown(editorState& editor, const NMTVKEYDOWN& key);
void onTreeReturn(editorState& editor);  // NM_RETURN

}  // namespace tv
