// "アイコンの選択": gives the selected item an icon of its own, taken from any
// file that holds icons (a program, a library, an icon file), or returns it to
// the built-in icon of its mode.
#pragma once

#include "editor/editor_state.h"

namespace tv {

// Modal, owned by the editor, for the selected item (nothing for "メニュー").
// OK stores the file and index in the item, shows the new icon in the tree and
// marks the editor modified; Cancel leaves the item as it was.
void iconDialog(editorState& editor);

}  // namespace tv
