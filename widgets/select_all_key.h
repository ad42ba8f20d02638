// Ctrl+A in a one-line text field selects its whole text, in every window of
// the program: the editor's fields, the quick search, the dialogs' edit boxes,
// the tree's label edit. The message loop and the modal dialogs' message
// filter offer each message here before a window or a table of keys sees it,
// so no accelerator can take the key away from a field and no field has to
// handle it itself. Multi-line fields are left to their own handling (the
// editor's content field selects all through the editor's keys).
#pragma once

#include <windows.h>

namespace tv {

// True when the message was Ctrl+A pressed in a one-line edit field: its text
// is now selected, and the message needs no further handling.
bool selectAllOnCtrlA(const MSG& message);

}  // namespace tv
