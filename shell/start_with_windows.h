// Starting with Windows: a shortcut to the running program in the user's
// Startup folder. The folder itself is the setting, so a shortcut the user
// removes by hand is seen as off.
#pragma once

namespace tv {

// The Startup folder holds our shortcut.
bool startsWithWindows();
// Makes the shortcut (to this tolvane.exe, started in the folder that keeps its
// files) or removes it. False when that could not be done; the message is the
// caller's.
bool setStartWithWindows(bool on);
extern const char* const startupShortcutFailure;  // what the user is told then
// Turns it over from the tray's menu, telling the user when that failed.
void toggleStartWithWindows();

}  // namespace tv
