// Membership of the clipboard-viewer chain: the paste and enclose protocols wait
// for our own clipboard changes here, and other programs' copies are captured
// into the history.
#pragma once

#include <windows.h>

namespace tv {

void joinClipboardChain(HWND window);
void onDrawClipboard(WPARAM wParam, LPARAM lParam);
void onChangeClipboardChain(HWND removed, HWND next);
void leaveClipboardChain();
// Command 106: moves a captured text into the history and saves it.
void addCapturedClip(bool fromHistory);

}  // namespace tv
