// The program's message boxes: all carry the caption "Tolvane (設定)".
#pragma once

#include <windows.h>

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags);
// "書き込みに失敗しました．": a file could not be saved (the old one is untouched).
void reportWriteFailure(HWND owner);
// A command whose feature this version does not have yet says so, instead of
// doing nothing: "「feature」は，この版ではまだ使えません．"
void reportNotAvailableYet(HWND owner, const char* feature);

}  // namespace tv
