// The [Clip] options the history settings dialog hands back, put to work.
#pragma once

#include <windows.h>

#include "shell/settings.h"

namespace tv {

// Takes the [Clip] options of `chosen` into the settings and writes them to
// "./tv2.ini" in a fixed order. The new bound trims the history at once; the
// rest act at the next capture, submenu and save. A key that could not be
// written is reported once, to `owner`.
void applyHistorySettings(HWND owner, const settings& chosen);

}  // namespace tv
