// Where a popup menu appears, which window gets the text afterwards, winning the
// foreground for TrackPopupMenu, and the screen-corner watch.
#pragma once

#include <windows.h>

namespace tv {

// Placement modes (ShowMenuPosMode): 0 pointer, 1 caret, 2-5 screen corners
// (top-left, bottom-left, top-right, bottom-right), 6 inside the focused control.
POINT menuPoint(int placementMode);

// Runs `work` with this thread's input attached to the window's thread, which is
// what lets GetCaretPos read its caret and SetFocus give it the focus back.
template <class Work>
void withInputAttachedTo(HWND window, Work work) {
    DWORD ours = GetCurrentThreadId();
    DWORD theirs = GetWindowThreadProcessId(window, nullptr);
    bool attached = theirs != ours && AttachThreadInput(ours, theirs, TRUE);
    work();
    if (attached) AttachThreadInput(ours, theirs, FALSE);
}

void captureTarget();
void captureTargetThrottled();  // pointer over the tray icon or tile: at most every 100 ms
// The captured target's caret in screen coordinates, read now; false when it shows none.
bool readTargetCaret(POINT& caret);
// Gives the foreground and the focus back to the captured target, if it is still there.
void giveFocusToTarget();
// Before our keystrokes: until the focus given back to the target has settled
// (only after it had moved away, to a menu) and the target has handled what was
// sent to it, at most a moment. Meanwhile this thread answers what is sent to
// it: a sleeping thread would keep a target that asks for the phrase, or
// empties the clipboard we own, waiting.
void waitForTarget();
// A menu is about to open: false when one is open already. Otherwise marks it
// open (a hotkey then closes it, the corners wait for it) and takes the foreground.
bool beginMenu();
void onShowMenu(int placementMode, HMENU menu);   // command 113
void onTrackMenu(int placementMode, HMENU menu);  // command 133
void watchCorners();                              // timer 100
// Tracks the menu (popup().menuOpen set) at the point; afterwards the steps of a
// closed menu have run, however the menu ended.
void trackAndFinish(HMENU menu, POINT point);
// A menu's key pressed while a menu is open or about to open: it closes, as a
// toggle would.
void closeOpenMenu();
// The menu has closed (WM_MENUSELECT): the steps below, then default processing.
LRESULT onMenuClosed(HWND window, bool fromMainWindow);
// The steps of a closed menu: flag cleared, focus back to the target, normal
// tray icon, history emptied.
void finishMenu(bool fromMainWindow);

}  // namespace tv
