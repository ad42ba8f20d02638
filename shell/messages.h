// The program's message boxes: all carry the caption "Tolvane (設定)".
#pragma once

#include <windows.h>

#include <string>

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags);
// The same through the wide function, for a text naming a character code page 932 lacks.
int settingsMessageUtf16(HWND owner, const std::u16string& text, UINT flags);
// "書き込みに失敗しました．": a file could not be saved (the old one is untouched).
void reportWriteFailure(HWND owner);
// The data file could not be read and was set aside; `notice` names the file,
// the name it is kept under and why (setAsideNotice).
void reportDataFileSetAside(HWND owner, const std::string& notice);

}  // namespace tv
