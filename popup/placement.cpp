#include "popup/placement.h"

#include "cliphistory/clipboard_capture.h"
#include "popup/caret_source_win.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/own_keys.h"
#include "shell/timing_log.h"
#include "shell/tray.h"
#include "shell/wine_compat.h"

namespace tv {

namespace {

constexpr int foregroundRetryLimit = 60;
constexpr int privateHotkeyRetry = 50;
constexpr UINT targetWaitLimit = 200;  // ms: a hung target gets our keys all the same
// Under Wine the window system's keyboard focus follows a focus we give back a
// moment later, and the target then sets its key state to the keyboard's: a
// Control we pressed before that moment is dropped, and the V comes alone.
constexpr DWORD focusSettleTime = 80;  // ms
DWORD focusSettlesAt = 0;              // GetTickCount() when it has surely followed

POINT topLeftOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return POINT{rect.left, rect.top};
}

// Waits (in 5 ms steps) until the user lets go of Shift and the Windows key, then
// presses our private Win+Shift+Backspace: its handler may take the foreground.
void pressPrivateHotkey() {
    while (GetAsyncKeyState(VK_SHIFT) < 0 || GetAsyncKeyState(VK_LWIN) < 0) Sleep(5);
    const BYTE keys[] = {VK_LWIN, VK_SHIFT, VK_BACK};
    for (BYTE key : keys) sendOwnKey(key);
    for (int i = 2; i >= 0; --i) sendOwnKey(keys[i], KEYEVENTF_KEYUP);
}

// The menu is not shown after all: the steps of a closed menu.
void abandonMenu() {
    popup().foregroundRetries = 0;
    hideKeyboardAnchor();
    finishMenu(true);
}

void retryForeground(int placementMode, HMENU menu) {
    if (SetForegroundWindow(app().mainWindow)) {
        popup().foregroundRetries = 0;
    } else {
        Sleep(10);
        if (++popup().foregroundRetries >= foregroundRetryLimit) {
            // The system keeps refusing: give the menu up without a word.
            abandonMenu();
            return;
        }
        if (popup().foregroundRetries == privateHotkeyRetry) pressPrivateHotkey();
    }
    PostMessageA(app().mainWindow, WM_COMMAND, MAKEWPARAM(IDM_MAIN_TRACK_MENU, placementMode),
                 reinterpret_cast<LPARAM>(menu));
}

}  // namespace

POINT menuPoint(int placementMode) {
    int right = GetSystemMetrics(SM_CXSCREEN) - 1;
    int bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
    switch (placementMode) {
    case 1:
    case 6: return popup().target.point;
    case 2: return POINT{0, 0};
    case 3: return POINT{0, bottom};
    case 4: return POINT{right, 0};
    case 5: return POINT{right, bottom};
    default: {
        // A mode beyond 6 (only from a hand-edited settings file) is the pointer too.
        POINT cursor{};
        GetCursorPos(&cursor);
        return cursor;
    }
    }
}

namespace {

// The caret of the focused control.
bool caretOf(HWND focus, POINT& caret) {
    targetCaretSource source(focus);
    const caretLocation found = findCaret(source);
    if (found.origin == caretOrigin::none) return false;
    caret = POINT{found.point.x, found.point.y};
    return true;
}

// Read without attaching to the target's input: under Wine an attach clears the
// target's key state, so a Control our paste has just pressed would be dropped
// before its V arrives (the pointer resting on the tray icon captures again and
// again while a paste is under way).
HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// False when the foreground window is none of the user's: the target stays.
bool captureWindowAndFocus() {
    HWND foreground = GetForegroundWindow();
    if (!foreground || foreground == app().mainWindow || foreground == app().taskbar) return false;
    popup().target.window = foreground;
    popup().target.focus = focusOf(foreground);
    return true;
}

// Where the menu goes without a caret: the focused control, or else the window.
POINT focusTopLeft() {
    const targetState& target = popup().target;
    return topLeftOf(target.focus ? target.focus : target.window);
}

}  // namespace

void captureTarget() {
    if (!captureWindowAndFocus()) return;
    targetState& target = popup().target;
    if (target.focus && app().config.ShowMenuPosMode == 1 && caretOf(target.focus, target.point)) return;
    target.point = focusTopLeft();
}

bool readTargetCaret(POINT& caret) {
    const targetState& target = popup().target;
    if (!IsWindow(target.window) || !IsWindow(target.focus)) return false;
    return caretOf(target.focus, caret);
}

void giveFocusToTarget() {
    HWND target = popup().target.window;
    if (!IsWindow(target)) return;
    if (GetForegroundWindow() != target) focusSettlesAt = GetTickCount() + focusSettleTime;
    withInputAttachedTo(target, [&] {
        SetForegroundWindow(target);
        if (IsWindow(popup().target.focus)) SetFocus(popup().target.focus);
    });
}

void waitForTarget() {
    const DWORD untilSettled = focusSettlesAt - GetTickCount();
    if (untilSettled <= focusSettleTime) waitAnsweringSentMessages(untilSettled);
    const targetState& target = popup().target;
    HWND window = IsWindow(target.focus) ? target.focus : target.window;
    DWORD_PTR ignored = 0;
    if (IsWindow(window)) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, targetWaitLimit, &ignored);
}

void captureTargetThrottled() {
    DWORD now = GetTickCount();
    if (now - popup().lastCaptureTick <= 100) return;
    popup().lastCaptureTick = now;
    // The tray's and the tile's menus open at the pointer, so no caret is read:
    // the last of its sources attaches to the target's input.
    if (captureWindowAndFocus()) popup().target.point = focusTopLeft();
}

bool beginMenu() {
    if (popup().menuOpen) return false;
    popup().menuOpen = true;
    showKeyboardAnchor();
    SetForegroundWindow(app().mainWindow);
    return true;
}

void onShowMenu(int placementMode, HMENU menu) {
    if (!IsMenu(menu) || !beginMenu()) return;
    PostMessageA(app().mainWindow, WM_COMMAND, MAKEWPARAM(IDM_MAIN_TRACK_MENU, placementMode),
                 reinterpret_cast<LPARAM>(menu));
    PostMessageA(app().mainWindow, WM_NULL, 0, 0);
}

void onTrackMenu(int placementMode, HMENU menu) {
    if (!popup().menuOpen) {
        // Withdrawn by a second press of its key while we waited for the foreground.
        abandonMenu();
        return;
    }
    if (GetForegroundWindow() != app().mainWindow) {
        retryForeground(placementMode, menu);
        return;
    }
    POINT point = menuPoint(placementMode);
    popup().currentHistoryItem = nullptr;
    trackAndFinish(menu, point);
}

void trackAndFinish(HMENU menu, POINT point) {
    menuOpeningStarts();
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, app().mainWindow, nullptr);
    hideKeyboardAnchor();
    // A menu without entries (a folder holding only a column break) returns at
    // once, without the closing WM_MENUSELECT: the flag would stay set and every
    // key, corner and tray click would be ignored from then on.
    if (popup().menuOpen) finishMenu(true);
    PostMessageA(app().mainWindow, WM_NULL, 0, 0);
}

void closeOpenMenu() {
    // Before tracking began, clearing the flag withdraws the request (onTrackMenu
    // sees it); while tracking, EndMenu ends the menu and its closing
    // WM_MENUSELECT does the rest.
    popup().menuOpen = false;
    EndMenu();
}

void watchCorners() {
    if (popup().cornerBusy || popup().menuOpen) return;
    popup().cornerBusy = true;
    POINT cursor{};
    if (GetCursorPos(&cursor)) {
        // Corner menus open at the pointer, and capturing for them uses no caret.
        int savedMode = app().config.ShowMenuPosMode;
        app().config.ShowMenuPosMode = 0;
        int right = GetSystemMetrics(SM_CXSCREEN) - 1;
        int bottom = GetSystemMetrics(SM_CYSCREEN) - 1;
        // Checked in this order: bottom-left, bottom-right, top-right, top-left.
        const struct {
            int corner;
            POINT pixel;
        } corners[] = {{2, {0, bottom}}, {4, {right, bottom}}, {3, {right, 0}}, {1, {0, 0}}};
        for (const auto& corner : corners) {
            uint16_t itemId = app().model.corners.itemAt(corner.corner);
            if (!itemId || cursor.x != corner.pixel.x || cursor.y != corner.pixel.y) continue;
            if (++popup().cornerDwell >= app().config.ShowAutoPopup) {
                popup().cornerDwell = 0;
                SendMessageA(app().mainWindow, WM_HOTKEY, itemId, 0);
            }
        }
        app().config.ShowMenuPosMode = savedMode;
    }
    popup().cornerBusy = false;
}

LRESULT onMenuClosed(HWND window, bool fromMainWindow) {
    finishMenu(fromMainWindow);
    return DefWindowProcA(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
}

void finishMenu(bool fromMainWindow) {
    SetCurrentDirectoryA(app().startDirectory.c_str());
    popup().cornerDwell = 0;
    popup().menuOpen = false;
    emptyHistorySubmenus();
    HWND target = popup().target.window;
    PostMessageA(target, WM_NULL, 0, 0);
    if (fromMainWindow && IsWindow(target)) {
        if (GetForegroundWindow() == app().mainWindow) {
            giveFocusToTarget();
        } else {
            PostMessageA(GetForegroundWindow(), WM_NULL, 0, 0);
        }
    }
    setTrayIcon(app().appIcon16);
}

}  // namespace tv
