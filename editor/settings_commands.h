// The editor's entries that open the program's settings dialogs: each hands
// its dialog the values in use and puts to work what comes back.
#pragma once

#include <windows.h>

namespace tv {

// 40025 "オプション": the values change in memory at once and reach tv2.ini
// when the program shuts down.
void changeOptions(HWND owner);
// 40004: the [Clip] options, written to tv2.ini at once.
void changeHistorySettings(HWND owner);

}  // namespace tv
