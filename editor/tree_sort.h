// Sorting one folder's entries where they stand: the tree view reorders its
// own entries and the structure beside it follows, so nothing is made anew.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "editor/editor_state.h"
#include "editor/menu_sort.h"

namespace tv {

// Sorts the direct children of the folder's entry (the root entry: the top
// level), filled or kept for later, as sortChildren orders them.
void sortEntryChildren(editorState& editor, HTREEITEM folder, sortOrder order, bool descending);

}  // namespace tv
