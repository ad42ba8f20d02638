// The bar between a tree and the fields beside it: a static control the user
// drags sideways. Only the bar moves while dragging; when the button is let go
// the owner lays out its controls by the distance moved. The settings editor
// and the history edit dialog both use it.
#pragma once

#include <windows.h>

#include <functional>

namespace tv {

// Called once per completed drag with the horizontal distance in pixels.
using splitterMoved = std::function<void(int distance)>;

void attachSplitter(HWND bar, splitterMoved onMoved);

// Lays out the three controls by `distance`: the bar moves, the tree widens,
// and each field moves right and narrows by as much. Labels (and fields of
// a fixed width) move without narrowing. The bar goes no further than a drag could
// take it; returns the distance it moved.
struct splitLayout {
    HWND bar;
    HWND tree;
    HWND fields[4];  // null-terminated when fewer
    HWND labels[3];  // null-terminated when fewer
};
int moveSplit(const splitLayout& layout, int distance);

}  // namespace tv
