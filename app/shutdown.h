// Closing: the close sequence of the main window, and the clean-up after the
// message loop.
#pragma once

#include <windows.h>

#include <optional>

namespace tv {

// WM_CLOSE and WM_QUERYENDSESSION. Empty when the message goes to default processing
// (a second request while closing); 0 otherwise, also when the editor keeps us open.
std::optional<LRESULT> onCloseRequest(UINT message);
// After the message loop: the history, the menu, the image list, fonts and trees.
void releaseEverything();

}  // namespace tv
