// What the user does to the editor tree: new items, copies, deletion, the four
// moves, the sorts and renaming. Moves and sorts take entries out and put them
// back with the same item records, so every field of every item survives them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"
#include "editor/menu_sort.h"

namespace tv {

void newItem(editorState& editor);         // 1018, Insert, Ctrl+N
void newFolder(editorState& editor);       // 40061: "New" inside a new folder, renamed in place
void addCopyFromPane(editorState& editor); // 1009
void deleteSelected(editorState& editor);  // 1006, Delete
void moveSelectedUp(editorState& editor);     // 1004, Ctrl+Up
void moveSelectedDown(editorState& editor);   // 1005, Ctrl+Down
void moveSelectedRight(editorState& editor);  // 1007: into the folder above
void moveSelectedLeft(editorState& editor);   // 1008: out of the folder
void sortSelected(editorState& editor, sortOrder order, bool descending);  // 40037-40040

// Takes the entry out and puts it, with its subtree, under `parent` after
// `after` (an entry, TVI_FIRST or TVI_LAST), then selects it.
void moveEntry(editorState& editor, HTREEITEM entry, HTREEITEM parent, HTREEITEM after);

void startRename(editorState& editor);  // 126, F2
// TVN_BEGINLABELEDIT / TVN_ENDLABELEDIT; the results are what the tree expects.
BOOL onBeginLabelEdit(editorState& editor, const NMTVDISPINFOA& info);
BOOL onEndLabelEdit(editorState& editor, const NMTVDISPINFOA& info);

void runSelectedItem(editorState& editor);  // 129

}  // namespace tv
