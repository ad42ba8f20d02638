// Where a window kept in tv2.ini opens again. Its rectangle may have been saved
// on a monitor since unplugged, or written by hand far off every screen; such a
// window would open out of the user's reach.
#pragma once

namespace tv {

struct screenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// The window as it is when its title bar (its top titleHeight pixels) shows in
// the work area wholly in height and over a width the pointer can take hold of;
// otherwise moved, keeping its size, the least distance that puts it inside the
// work area (its top-left corner inside when it is larger than the work area).
screenRect reachableWindow(const screenRect& window, const screenRect& workArea, int titleHeight);

}  // namespace tv
