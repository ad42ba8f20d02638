// The right-hand side of the editor: the fields of the selected item. Every
// change is written straight into the item, so nothing needs committing when
// the selection moves. With "メニュー" selected the same fields edit the whole
// menu's shortcut key, Windows-key flag and corner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "editor/editor_state.h"
#include "files/unicode_escape.h"

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

// A display-text field's text (the pane's, or the tree's label edit), read
// through the wide functions, as a display text: one line of code page 932.
std::string fieldDisplayText(HWND field);
// The content field's text as an item's content. The content of the item it
// shows, unchanged, is kept byte for byte: an old content whose bytes merely
// look like an escape keeps them as they are.
codePageText fieldContent(const editorState& editor, const menuItem* shownItem);

// A display text and an abbreviation stay code page 932 (the data file keeps
// no escapes in their columns, and an abbreviation is matched against what is
// typed as code page 932): true when the text holds a character the code page
// lacks, which is then named in a message (reportCommand, an
// IDM_EDITOR_REFUSED_ id) shown once the field has finished with the change.
bool refuseLackingCharacter(editorState& editor, std::u16string_view text, UINT reportCommand);
// A character beyond U+FFFF typed on the keyboard comes as two WM_CHARs: true
// while the field holds the first half before the caret, a change to wait out.
bool pairHalfTyped(HWND field, std::u16string_view text);
// The caret of a field whose change is refused, taken before the field is put
// back, and set again where the refused change began.
struct refusedChange {
    DWORD caret;
    size_t refusedLength;  // UTF-16 units of the refused text
};
refusedChange noteRefusedChange(HWND field, size_t refusedLength);
void placeCaretAfterRefusal(HWND field, const refusedChange& change);
// IDM_EDITOR_REFUSED_CHARACTER and IDM_EDITOR_REFUSED_ABBREVIATION_CHARACTER,
// lParam the character: the message.
void reportRefusedCharacter(editorState& editor, LPARAM codePoint);
void reportRefusedAbbreviationCharacter(editorState& editor, LPARAM codePoint);

// Puts a text into the display-text field without storing it again.
void showDisplayText(editorState& editor, const std::string& text);

// The mode list changed or the content of a program item did: caption,
// default display text, the item's mode, the entry's label and icon.
void applyModeChange(editorState& editor, bool fromUser, bool force, bool captionOnly);

}  // namespace tv
