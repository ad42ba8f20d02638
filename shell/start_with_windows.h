// Starting with Windows: a shortcut to the running program in the user's
// Startup folder. The folder itself is the setting, so a shortcut the user
// removes by hand is seen as off, and so is one that starts another copy (the
// zip unpacked once more elsewhere, an old folder).
#pragma once

namespace tv {

// The Startup folder's shortcut starts this copy: this tolvane.exe, in the
// folder that keeps its files.
bool startsWithWindows();
// Makes the shortcut (to this tolvane.exe, started in the folder that keeps its
// files, over one that starts another copy) or removes it. False when that
// could not be done; the message is the caller's.
bool setStartWithWindows(bool on);
extern const char* const startupShortcutFailure;  // what the user is told then
// Turns it over from the tray's menu, telling the user when that failed.
void toggleStartWithWindows();

}  // namespace tv
