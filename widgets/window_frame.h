// What the settings editor and the history edit dialog share as resizable
// tool windows: never smaller than their template, controls that follow the
// window's right and bottom edges by a table, the size grip, the rectangle and
// maximised state kept in "./tv2.ini", and the icons of their tool buttons.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>

#include "shell/settings.h"

namespace tv {

// How a control follows a change of the client size; flags may be combined.
namespace follow {
enum : unsigned {
    moveRight = 1,   // moves by the change in width, keeping its size
    moveDown = 2,    // moves by the change in height, keeping its size
    widen = 4,       // its right edge moves by the change in width
    heighten = 8,    // its bottom edge moves by the change in height
    moveBoth = moveRight | moveDown,
};
}

struct resizeRule {
    int id;
    unsigned edges;  // follow:: flags
};

struct windowSizing {
    HWND window = nullptr;
    windowPlacement* place = nullptr;  // where the rectangle, split and Maxed are kept
    const resizeRule* rules = nullptr;
    size_t ruleCount = 0;
    SIZE minTrackSize{};  // the window as the template made it: never smaller
    SIZE clientSize{};    // before the last resize; controls move by the difference
    // Creation sizes the window before we own it; that size says nothing about
    // whether the user maximised it.
    bool firstSize = true;
};

// At WM_INITDIALOG, before anything moves: the template size becomes the minimum.
void startSizing(windowSizing& sizing, HWND window, windowPlacement& place, const resizeRule* rules, size_t ruleCount);
// Puts the window where it was last time (moved onto the nearest monitor when
// that place is out of reach), lets applySplit move the splitter by the stored
// distance (it returns how far the splitter could go, which is kept), and
// maximises it again if it was.
void restorePlacement(windowSizing& sizing, const std::function<int(int distance)>& applySplit);

void onSizing(const windowSizing& sizing, WPARAM edge, RECT& rect);       // WM_SIZING
void onSize(windowSizing& sizing, WPARAM type, int width, int height);   // WM_SIZE
void onMove(const windowSizing& sizing);                                 // WM_MOVE
// WM_WINDOWPOSCHANGING: maximised, the window covers its monitor's work area,
// so its caption, menu bar and bottom row stay in view, clear of the taskbar.
void keepMaximizedInWorkArea(HWND window, WINDOWPOS& pos);
void paintSizeGrip(HWND window);                                          // WM_PAINT

// The window's 16x16 tool-button icons, and the program's icon as its own.
struct toolIcon {
    int id;
    int icon;
};
void setToolIcons(HWND window, const toolIcon* icons, size_t count);

}  // namespace tv
