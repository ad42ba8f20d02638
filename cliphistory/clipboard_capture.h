// Reading the clipboard for the history.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// Waits the time given while answering what other programs send us: one
// holding the clipboard may be waiting for us to render the phrase.
void waitAnsweringSentMessages(DWORD milliseconds);

// OpenClipboard, tried again for a moment while another program holds the
// clipboard: a clipboard manager opens it at every change, at the very moment we
// do. Meanwhile this thread answers what is sent to it (the holder may be asking
// us to render the phrase).
bool openClipboardWhenFree(HWND owner);

// The CF_TEXT on the clipboard, whatever its size or marks; false when there is
// none. Waits for a busy clipboard as openClipboardWhenFree does.
bool readClipboardTextRaw(HWND owner, std::string& text);

// True when text was read and may be recorded: it is within the size limit and
// the program that copied it did not mark it as secret.
bool readClipboardText(HWND owner, int maxOneClipSizeKb, std::string& text);

// Password managers mark secret clips with these formats so that histories skip them.
bool clipboardMarkedPrivate();

}  // namespace tv
