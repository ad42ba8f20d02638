// The notification-area icon, or the 16x16 tile shown when there is no tray.
#pragma once

#include <windows.h>

namespace tv {

bool addTrayIcon(HICON icon);
void deleteTrayIcon();
// A balloon at the icon; nothing while the program is a tile.
void showTrayBalloon(const char* title, const char* text);
void setTrayIcon(HICON icon);  // shows the active icon while a hotkey menu is open
void watchTray();              // timer 25: re-add the icon after a taskbar restart
void showTileOrHide();         // the tile is visible only while no icon is in the tray
// The main window shown as a draggable 16x16 tile that paints the application
// icon, or hidden.
void showMainWindowAsTile(bool show);

}  // namespace tv
