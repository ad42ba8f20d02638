// The clipboard history settings (dialog 125): the [Clip] options of "./tv2.ini".
#pragma once

#include <windows.h>

#include "shell/settings.h"

namespace tv {

// Modal. Shows the [Clip] options of `options` and, on OK, puts the user's
// choices there and returns true; the dialog reads and changes nothing else.
// A history bound beyond the ids the history has is brought down to it, with
// a word to the user.
bool showHistorySettingsDialog(HWND owner, settings& options);

}  // namespace tv
