// Opening, saving and closing the settings editor. While it is open the popup
// menu and the shortcut keys run from editingCopy, a second tree read from the
// data file; saving copies the editor tree into the running menu and writes
// the data file; closing without saving reads the running menu again.
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
