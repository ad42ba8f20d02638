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

}  // namespace tv
