// The clipboard history edit dialog (dialog 126, modeless): the entries in a
// tree, the selected one's text to edit, moves, deletion and saving one entry
// to a file. While it is open, captures skip the duplicate check and the bound.
#pragma once

#include <windows.h>

#include <cstdint>

#include "model/menu_item.h"

namespace tv {

// Opens the dialog with the entry of that id selected (0: none), or brings the
// open one forward.
void openHistoryEditDialog(uint16_t itemId);
// The same for an entry (null: none), as the menu and the editor's command ask.
void openHistoryEditor(const menuItem* entry);
// Asks the open dialog to close as its close box does: it saves the history.
void closeHistoryEditDialog();
// The history was emptied or trimmed behind the dialog's back: list it anew.
void refreshHistoryEditDialog();
// The edit-field font was replaced (and the old one deleted): the text field
// takes the new one before it draws again.
void setHistoryEditFont(HFONT font);
// A capture put a new entry at the front of the list: the dialog shows it.
void announceNewHistoryEntry();
// For the message loop: the dialog's keys (Tab, arrows) and nothing else's.
bool isHistoryEditDialogMessage(MSG& message);

}  // namespace tv
