// The clipboard history settings (dialog 125): the [Clip] options of "./tv2.ini".
#pragma once

#include <windows.h>

namespace tv {

// Modal. OK writes every option and trims the history to the new bound at once.
void showHistorySettingsDialog(HWND owner);

}  // namespace tv
