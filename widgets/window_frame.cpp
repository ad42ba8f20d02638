#include "widgets/window_frame.h"

#include "widgets/screen_fit.h"
#include "shell/app_state.h"

namespace tv {

namespace {

bool placementKnown(const windowPlacement& place) { return place.right > place.left && place.bottom > place.top; }

// The saved rectangle, moved onto the monitor nearest its title bar when too
// little of that bar would show on any monitor to take hold of it.
RECT reachablePlacement(const windowPlacement& place) {
    const int titleHeight = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    RECT titleBar{place.left, place.top, place.right, place.top + titleHeight};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&titleBar, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    screenRect fitted = reachableWindow({place.left, place.top, place.right, place.bottom},
                                        {work.left, work.top, work.right, work.bottom}, titleHeight);
    return RECT{fitted.left, fitted.top, fitted.right, fitted.bottom};
}

void storeWindowRect(const windowSizing& sizing) {
    RECT rect{};
    GetWindowRect(sizing.window, &rect);
    sizing.place->left = rect.left;
    sizing.place->top = rect.top;
    sizing.place->right = rect.right;
    sizing.place->bottom = rect.bottom;
}

void followClientSize(const windowSizing& sizing, int dx, int dy) {
    HWND window = sizing.window;
    HDWP defer = BeginDeferWindowPos(static_cast<int>(sizing.ruleCount));
    for (size_t i = 0; i < sizing.ruleCount; ++i) {
        const resizeRule& rule = sizing.rules[i];
        HWND control = GetDlgItem(window, rule.id);
        if (!control || !defer) continue;
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        int x = rect.left + (rule.edges & follow::moveRight ? dx : 0);
        int y = rect.top + (rule.edges & follow::moveDown ? dy : 0);
        int w = rect.right - rect.left + (rule.edges & follow::widen ? dx : 0);
        int h = rect.bottom - rect.top + (rule.edges & follow::heighten ? dy : 0);
        // Each control draws itself anew where it went: pixels copied from its
        // old place were painted over by the window, and the bottom row of a
        // maximised editor stayed blank.
        defer = DeferWindowPos(defer, control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (defer) EndDeferWindowPos(defer);
}

}  // namespace

void startSizing(windowSizing& sizing, HWND window, windowPlacement& place, const resizeRule* rules,
                 size_t ruleCount) {
    RECT client{}, outer{};
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    sizing.window = window;
    sizing.place = &place;
    sizing.rules = rules;
    sizing.ruleCount = ruleCount;
    sizing.clientSize = {client.right, client.bottom};
    sizing.minTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
    sizing.firstSize = true;
}

void restorePlacement(windowSizing& sizing, const std::function<int(int distance)>& applySplit) {
    windowPlacement& place = *sizing.place;
    const bool known = placementKnown(place);
    if (known) {
        RECT rect = reachablePlacement(place);
        MoveWindow(sizing.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    }
    // A move to a rectangle of the same size sends no size message: the next
    // one, the user's first maximise perhaps, must count.
    sizing.firstSize = false;
    if (place.sp != 0 && known && applySplit) place.sp = applySplit(place.sp);
    // Where the window opened is its place until it moves: without this, a
    // window never moved would not bring its split back next time.
    storeWindowRect(sizing);
    if (place.Maxed) ShowWindow(sizing.window, SW_SHOWMAXIMIZED);
}

// The edge being dragged goes back so the window is exactly the minimum; the
// opposite edge stays where it is.
void onSizing(const windowSizing& sizing, WPARAM edge, RECT& rect) {
    const LONG minWidth = sizing.minTrackSize.cx, minHeight = sizing.minTrackSize.cy;
    if (rect.right - rect.left < minWidth) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
            rect.left = rect.right - minWidth;
        else
            rect.right = rect.left + minWidth;
    }
    if (rect.bottom - rect.top < minHeight) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
            rect.top = rect.bottom - minHeight;
        else
            rect.bottom = rect.top + minHeight;
    }
}

void onMove(const windowSizing& sizing) {
    if (sizing.place && !IsZoomed(sizing.window) && !IsIconic(sizing.window)) storeWindowRect(sizing);
}

void onSize(windowSizing& sizing, WPARAM type, int width, int height) {
    if (!sizing.place) return;
    HWND window = sizing.window;
    if (!sizing.firstSize) sizing.place->Maxed = type == SIZE_MAXIMIZED;
    sizing.firstSize = false;
    if (type == SIZE_MINIMIZED) return;
    RECT outer{};
    GetWindowRect(window, &outer);
    if (outer.right - outer.left < sizing.minTrackSize.cx || outer.bottom - outer.top < sizing.minTrackSize.cy) return;
    if (type != SIZE_MAXIMIZED) storeWindowRect(sizing);

    const int dx = width - sizing.clientSize.cx, dy = height - sizing.clientSize.cy;
    RECT grip{sizing.clientSize.cx - 32, sizing.clientSize.cy - 32, width, height};
    InvalidateRect(window, &grip, TRUE);
    sizing.clientSize = {width, height};
    if (dx == 0 && dy == 0) return;
    followClientSize(sizing, dx, dy);
    UpdateWindow(window);
}

// Only the sizing border lies beyond the work area's edges. Wine counts a
// popup window's menu bar as border when it works out the maximised place: the
// caption went above the screen and the bottom row under the taskbar. The
// place is set here rather than through WM_GETMINMAXINFO, whose values Windows
// shifts and stretches for a monitor other than the primary one.
void keepMaximizedInWorkArea(HWND window, WINDOWPOS& pos) {
    if (!IsZoomed(window) || ((pos.flags & SWP_NOMOVE) && (pos.flags & SWP_NOSIZE))) return;
    RECT target{};
    GetWindowRect(window, &target);
    if (!(pos.flags & SWP_NOMOVE)) OffsetRect(&target, pos.x - target.left, pos.y - target.top);
    if (!(pos.flags & SWP_NOSIZE)) SetRect(&target, target.left, target.top, target.left + pos.cx, target.top + pos.cy);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT frame{};  // right and bottom: the border's width; the top holds the caption too
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    const RECT& work = monitor.rcWork;
    pos.x = work.left - frame.right;
    pos.y = work.top - frame.bottom;
    pos.cx = work.right - work.left + 2 * frame.right;
    pos.cy = work.bottom - work.top + 2 * frame.bottom;
    pos.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
}

void paintSizeGrip(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    if (!IsZoomed(window)) {
        RECT grip{client.right - GetSystemMetrics(SM_CXVSCROLL), client.bottom - GetSystemMetrics(SM_CYHSCROLL),
                  client.right, client.bottom};
        DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    }
    EndPaint(window, &paint);
}

void setToolIcons(HWND window, const toolIcon* icons, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        HANDLE icon = LoadImageA(app().instance, MAKEINTRESOURCEA(icons[i].icon), IMAGE_ICON, 16, 16, LR_SHARED);
        SendDlgItemMessageA(window, icons[i].id, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    }
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app().appIcon32));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(app().appIcon16));
}

}  // namespace tv
