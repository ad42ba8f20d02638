// The settings editor's window: a modeless dialog (resource 101) whose
// procedure is a thin switch over messages, with commands in one table.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/editor_state.h"

namespace tv {

HWND createEditorWindow(uint16_t preselectId);
// Releases the tooltips and the window; the state goes with the window.
void destroyEditorWindow(editorState& editor);

}  // namespace tv
