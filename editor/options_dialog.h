// "オプション": where a shortcut-key menu appears, the corner dwell, the menu's
// width and the old date format. The values change in memory at once and reach
// tv2.ini when the program shuts down.
#pragma once

#include <windows.h>

namespace tv {

void optionsDialog(HWND owner);

}  // namespace tv
