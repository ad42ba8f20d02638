// The program's message boxes: all carry the caption "Tolvane (設定)".
#pragma once

#include <windows.h>

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags);
// "書き込みに失敗しました．": a file could not be saved (the old one is untouched).
void reportWriteFailure(HWND owner);

}  // namespace tv
