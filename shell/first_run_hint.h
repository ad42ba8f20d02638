// The word a new user gets on the first start in a folder: which key opens the
// menu and that a double-click on the tray icon opens the settings.
#pragma once

namespace tv {

// Neither tv2.ini nor the data file yet: a folder the program has never run in.
// A data file already there is a menu brought along by someone who knows the
// program. Asked before the start-up read writes the data file.
bool isFirstStart();
// A balloon at the tray icon; nothing when the icon is not in the tray.
void showFirstRunHint();

}  // namespace tv
