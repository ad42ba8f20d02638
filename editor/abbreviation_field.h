// The pane's "略語" field: the selected item's abbreviation, written straight
// into the item, with a note naming another item that has the same one.
#pragma once

#include "editor/editor_state.h"

namespace tv {

// Shows the selected item's abbreviation; grayed (and empty) for the root entry
// and the modes an abbreviation cannot run. Never counts as a change.
void showAbbreviation(editorState& editor);
// EN_CHANGE of the field.
void onAbbreviationChanged(editorState& editor);
// EN_SETFOCUS and EN_KILLFOCUS: an abbreviation is typed a character at a
// time, so a program item's one-character abbreviation is refused only once
// the field is left, and the abbreviation goes back to what it was.
void onAbbreviationEntered(editorState& editor);
void onAbbreviationLeft(editorState& editor);

}  // namespace tv
