// The right-hand side of the editor: the fields of the selected item. Every
// change is written straight into the item, so nothing needs committing when
// the selection moves. With "メニュー" selected the same fields edit the whole
// menu's shortcut key, Windows-key flag and corner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/editor_state.h"

namespace tv {

void initPaneControls(editorState& editor);  // lists, fonts, subclasses

// TVN_SELCHANGED: shows the newly selected entry. Never counts as a change.
void fillPane(editorState& editor, HTREEITEM entry);

// Change notifications of the fields.
void onDisplayTextChanged(editorState& editor);
void onContentChanged(editorState& editor);
void onHotkeyChanged(editorState& editor);
void onWinKeyClicked(editorState& editor);
void onCornerChanged(editorState& editor);
void onModeListChanged(editorState& editor);
// The context menu's mode entries: 2000 + mode.
void onModeCommand(editorState& editor, uint8_t mode);

// Puts a text into the display-text field without storing it again.
void showDisplayText(editorState& editor, const std::string& text);

// The mode list changed or the content of a program item did: caption,
// default display text, the item's mode, the entry's label and icon.
void applyModeChange(editorState& editor, bool fromUser, bool force, bool captionOnly);

}  // namespace tv
