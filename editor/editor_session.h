// Opening, saving and closing the settings editor. While it is open the popup
// menu, the shortcut keys and the abbreviations go on running the saved menu:
// the editor's tree shares the running menu's items and changes copies of the
// ones it edits (editableItem in editor_tree.h). Saving writes the data file
// and makes the editor's tree the running menu; closing without saving reads
// the running menu again.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

// 1019 (close = true) and 1014. False when the data file could not be written:
// the old file is untouched, the user has been told and the editor stays open.
bool saveEditor(editorState& editor, bool close);
void onEditorOk(editorState& editor);     // 1019: save, apply and close
void onEditorApply(editorState& editor);  // 1014, Ctrl+S
// 2, Alt+F4, the close box: asks when something changed. True when the editor
// is gone (saved or discarded), false when the user kept it open.
bool closeEditorWithPrompt(editorState& editor);

}  // namespace tv
