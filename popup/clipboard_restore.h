// The user's clipboard, lent to an insertion and given back once the target has
// taken the phrase. The phrase is offered by delayed rendering, so the target's
// own request for it (WM_RENDERFORMAT after our Ctrl+V) says when that is; a
// fixed delay is only the fallback for a target that never asks.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// With the clipboard open, before an insertion empties it: keeps a copy of every
// format that can be copied, unless one is already kept for this insertion (the
// enclose keeps it before its Ctrl+C replaces the clipboard with the selection).
void lendUserClipboard();
// The same for callers that do not hold the clipboard open.
void lendUserClipboardNow();
// With the clipboard open and emptied: puts the phrase on it. It is offered by
// delayed rendering while a copy of the user's clipboard is kept, and set at
// once otherwise. Marks it as a paste no clipboard history should keep. A
// phrase with characters code page 932 lacks is offered as CF_UNICODETEXT
// (`wide`) too, `text` being its code page 932 form.
void putPhraseOnClipboard(const std::string& text, const std::u16string& wide = std::u16string());
// Our phrase's texts when the clipboard still holds it, for our own history.
bool clipboardHoldsOurPhrase(std::string& text, std::u16string& wide);
// True while the clipboard holds what we gave back: not a new copy of the user's.
bool clipboardHoldsRestoredCopy();

// Message handlers of the main window.
void onRenderFormat(UINT format);
void onRenderAllFormats();
// Ctrl+V has gone to the target: from now on its request for the text means it
// is pasting. Starts the fallback delay.
void onPasteSent();
// Timer: give the user's clipboard back. While the target holds the clipboard
// open it tries again, for as long as that takes: the copy is never dropped.
void onGiveClipboardBack();
// Nothing will be pasted after all (the enclose item vanished, the clipboard
// could not be opened): drop the copy lent for it. A copy still waiting to go
// back after an earlier paste stays.
void forgetUserClipboard();
// Someone emptied the clipboard we owned: what we put there is gone.
void onDestroyClipboard();

}  // namespace tv
