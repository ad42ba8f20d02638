// Dragging an entry onto another makes it that entry's first child. The drag
// image follows the pointer; an entry's own descendants are never targets.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"

namespace tv {

void onTreeBeginDrag(editorState& editor, const NMTREEVIEWA& start);  // TVN_BEGINDRAG
void onDragMove(editorState& editor);                  // WM_MOUSEMOVE of the editor
void onDragEnd(editorState& editor, bool drop);        // WM_LBUTTONUP (drop) / WM_RBUTTONDOWN

}  // namespace tv
