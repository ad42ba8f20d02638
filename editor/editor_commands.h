// WM_COMMAND of the settings editor.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

// The result of IDCANCEL is 1 when the editor closed and 0 when the user kept
// it open; the program's close sequence relies on it.
LRESULT onEditorCommand(editorState& editor, UINT id, UINT code, LPARAM lParam);

}  // namespace tv
