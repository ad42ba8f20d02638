// "バージョン情報 Tolvane": the program's name, version and a few words about it.
#pragma once

#include <windows.h>

namespace tv {

void showAboutDialog(HWND owner);

}  // namespace tv
