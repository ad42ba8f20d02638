// Find in the settings editor: a text inside the selected item's content (when
// the content field has the focus) or through every item of the editor tree,
// forwards or backwards from the selection, and the next item with a shortcut
// key. The text is typed into the system's modeless Find dialog.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

// 40012 (Ctrl+F): opens the find dialog, or activates it when it is open.
void openFindDialog(editorState& editor);
// 40035: F3 searches forwards, Shift+F3 backwards; with nothing to search for
// yet it opens the find dialog.
void findNext(editorState& editor);
// 40013 (Ctrl+K): the next item that has a shortcut key or the Windows-key flag.
void findNextShortcut(editorState& editor);
// The number of the registered "commdlg_FindReplace" message, whose lParam is
// the request, and its handler.
UINT findReplaceMessage();
void onFindReplaceMessage(editorState& editor, LPARAM request);

// The open find dialog or null: the message loop gives it its keys first.
HWND findDialogWindow();
// The editor is going: its find dialog goes with it.
void closeFindDialog();

}  // namespace tv
