// The editor window's size and place: never smaller than its template, the
// controls following the window's edges, the size grip, the splitter, and the
// rectangle and split kept in "./tv2.ini" for the next opening.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"
#include "widgets/window_frame.h"

namespace tv {

// After creation: remembers the template size and attaches the splitter.
void initEditorLayout(editorState& editor);
// Puts the window where it was last time (when that is on the screen), applies
// the stored split and maximises it again if it was.
void restoreEditorPlacement(editorState& editor);

inline void onEditorSizing(const editorState& editor, WPARAM edge, RECT& rect) { onSizing(editor.sizing, edge, rect); }
inline void onEditorSize(editorState& editor, WPARAM type, int width, int height) {
    onSize(editor.sizing, type, width, height);
}
inline void onEditorMove(const editorState& editor) { onMove(editor.sizing); }

}  // namespace tv
