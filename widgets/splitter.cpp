#include "widgets/splitter.h"

#include <commctrl.h>

namespace tv {

namespace {

struct splitterDrag {
    splitterMoved onMoved;
    bool tracking = false;
    POINT start{};   // the pointer when the drag began, screen coordinates
    RECT startRect{};  // the bar then, in its parent's client coordinates
};

RECT rectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void placeBar(HWND bar, const RECT& rect, int left) {
    SetWindowPos(bar, nullptr, left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(GetParent(bar), nullptr, TRUE);
}

// Where the pointer was when the message was sent, in screen coordinates. The
// release must use its own position: under load the last move can come after
// it, and the bar would stop short.
POINT messagePoint(HWND bar, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(bar, &point);
    return point;
}

// The bar stays at least its own width from the left edge and twice its width
// from the right one, so it can always be caught again.
int catchableLeft(HWND bar, int left) {
    RECT rect = rectInParent(bar);
    const int width = rect.right - rect.left;
    RECT parent{};
    GetClientRect(GetParent(bar), &parent);
    if (left > parent.right - 2 * width) left = parent.right - 2 * width;
    if (left < width) left = width;
    return left;
}

int clampedLeft(HWND bar, const splitterDrag& drag, POINT cursor) {
    return catchableLeft(bar, drag.startRect.left + cursor.x - drag.start.x);
}

void endDrag(HWND bar, splitterDrag& drag, bool keep) {
    drag.tracking = false;
    ReleaseCapture();
    RECT now = rectInParent(bar);
    int distance = now.left - drag.startRect.left;
    placeBar(bar, drag.startRect, drag.startRect.left);
    if (keep && distance != 0 && drag.onMoved) drag.onMoved(distance);
}

LRESULT CALLBACK splitterProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* drag = reinterpret_cast<splitterDrag*>(data);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        drag->tracking = true;
        SetCapture(bar);
        drag->start = messagePoint(bar, lParam);
        drag->startRect = rectInParent(bar);
        return 0;
    case WM_MOUSEMOVE:
        if (drag->tracking) placeBar(bar, drag->startRect, clampedLeft(bar, *drag, messagePoint(bar, lParam)));
        return 0;
    case WM_LBUTTONUP:
        if (!drag->tracking) return 0;
        placeBar(bar, drag->startRect, clampedLeft(bar, *drag, messagePoint(bar, lParam)));
        endDrag(bar, *drag, true);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_CAPTURECHANGED:
        if (drag->tracking && (message == WM_RBUTTONDOWN || reinterpret_cast<HWND>(lParam) != bar))
            endDrag(bar, *drag, false);
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(bar, splitterProc, 1);
        delete drag;
        break;
    }
    return DefSubclassProc(bar, message, wParam, lParam);
}

void offsetWindow(HDWP& defer, HWND window, int dx, int dw) {
    if (!window || !defer) return;
    RECT rect = rectInParent(window);
    defer = DeferWindowPos(defer, window, nullptr, rect.left + dx, rect.top, rect.right - rect.left + dw,
                           rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void attachSplitter(HWND bar, splitterMoved onMoved) {
    auto* drag = new splitterDrag;
    drag->onMoved = std::move(onMoved);
    SetWindowSubclass(bar, splitterProc, 1, reinterpret_cast<DWORD_PTR>(drag));
}

int moveSplit(const splitLayout& layout, int distance) {
    const int left = rectInParent(layout.bar).left;
    distance = catchableLeft(layout.bar, left + distance) - left;
    HDWP defer = BeginDeferWindowPos(8);
    offsetWindow(defer, layout.bar, distance, 0);
    offsetWindow(defer, layout.tree, 0, distance);
    for (HWND field : layout.fields) offsetWindow(defer, field, distance, -distance);
    for (HWND label : layout.labels) offsetWindow(defer, label, distance, 0);
    if (defer) EndDeferWindowPos(defer);
    InvalidateRect(GetParent(layout.bar), nullptr, TRUE);
    return distance;
}

}  // namespace tv
