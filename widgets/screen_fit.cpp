#include "widgets/screen_fit.h"

#include <algorithm>

namespace tv {

namespace {

// Moves [start, start + length) the least distance that puts it inside
// [low, high), its start first when it is longer.
int placeWithin(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

screenRect reachableWindow(const screenRect& window, const screenRect& workArea, int titleHeight) {
    // A few title-bar heights wide: enough to see the window is there and to drag it.
    const int grip = std::min(window.width(), 4 * titleHeight);
    const int shownWidth = std::min(window.right, workArea.right) - std::max(window.left, workArea.left);
    const bool titleShown = window.top >= workArea.top && window.top + titleHeight <= workArea.bottom;
    if (titleShown && shownWidth >= grip) return window;
    screenRect moved = window;
    moved.left = placeWithin(window.left, window.width(), workArea.left, workArea.right);
    moved.top = placeWithin(window.top, window.height(), workArea.top, workArea.bottom);
    moved.right = moved.left + window.width();
    moved.bottom = moved.top + window.height();
    return moved;
}

}  // namespace tv
