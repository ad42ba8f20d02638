// Wine gives the X keyboard focus only to a window that is shown, so a hidden main
// window that takes the foreground leaves key presses with the previous program
// and the open menu ignores the keyboard. Under Wine only, the main window is
// shown as a 1x1 tool window at the pointer while a menu is tracked.
#pragma once

namespace tv {

bool runningUnderWine();
void showKeyboardAnchor();  // before SetForegroundWindow for a menu
void hideKeyboardAnchor();  // after TrackPopupMenu returns

}  // namespace tv
