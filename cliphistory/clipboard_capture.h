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

class historyList;

// A text for the history: its code page 932 form, and its Unicode text when the
// code page lacks one of its characters (empty otherwise).
struct capturedClip {
    std::string text;
    std::u16string wide;
};

// True when a text was read and may be recorded: its code page 932 form is
// within the size limit and the program that copied it did not mark it as secret.
bool readClipboardClip(HWND owner, int maxOneClipSizeKb, capturedClip& clip);
void queueCapturedClip(historyList& history, capturedClip clip);

// The clipboard's owner window belongs to a program of the ";"-separated list
// (tv2.ini's [Clip] ExcludeApps): what it copies is never recorded. Called as
// the copy arrives: a copy made without an owner window is taken for one of the
// program whose window is in front.
bool clipboardOwnerExcluded(const std::string& programs);

// Password managers mark secret clips with these formats so that histories skip them.
bool clipboardMarkedPrivate();

}  // namespace tv
