// The quick search window: a query field over a list of results. Keys typed in
// the field move the selection (Up, Down, Page Up, Page Down), carry out the
// selected result (Enter) or close the window (Escape), so the focus never has
// to leave the field. A result is carried out by the main window's WM_COMMAND
// with the item's id, the very message a pick in the popup menu sends.
#include "cliphistory/clip_history.h"
#include "popup/popup_state.h"
#include "quicksearch/quick_search.h"

#include <algorithm>
#include <memory>

#include "popup/placement.h"
#include "quicksearch/search_window_state.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/screen_dpi.h"
#include "shell/timing_log.h"
#include "shell/window_text.h"

namespace tv {

namespace {

const wchar_t* const searchClassName = L"TolvaneSearch";
constexpr int clientWidth = 520;  // at 96 DPI
constexpr int visibleRows = 8;
constexpr int fieldPadding = 6;

HWND openWindow = nullptr;
WNDPROC fieldDefaultProc = nullptr;

searchWindowState* stateOf(HWND window) {
    return reinterpret_cast<searchWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The state is freed with the window (WM_NCDESTROY): nothing may use it afterwards.
void closeSearch(searchWindowState& state, bool returnFocus) {
    HWND window = state.window;
    state.closing = true;
    DestroyWindow(window);
    if (returnFocus) giveFocusToTarget();
}

void fillIndex(searchWindowState& state) {
    state.index = searchIndex();
    state.index.addMenu(app().model.root);
    state.index.addHistory(clipHistory());
}

void refilter(searchWindowState& state) {
    state.results = state.index.find(windowTextUtf16(state.field));
    // Drawn once, at the end: each of these would otherwise paint the list or its scroll bar.
    SendMessageA(state.list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(state.list, LB_SETCOUNT, state.results.size(), 0);
    SendMessageA(state.list, LB_SETTOPINDEX, 0, 0);
    SendMessageA(state.list, LB_SETCURSEL, state.results.empty() ? -1 : 0, 0);
    SendMessageA(state.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(state.list, nullptr, TRUE);
}

// The menu may have been saved from the editor, or the history changed, while
// the window was open: an id may then name another item, so the result must
// still be where it was found.
bool stillCurrent(const searchEntry& entry) {
    if (entry.fromHistory) return clipHistory().findHistoryEntry(entry.item->itemId) == entry.item;
    return findNode(app().model.root, entry.item.get()) != nullptr;
}

void executeSelected(searchWindowState& state) {
    LRESULT selected = SendMessageA(state.list, LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<size_t>(selected) >= state.results.size()) return;
    const searchEntry& entry = state.index[state.results[selected]];
    if (!stillCurrent(entry)) {
        fillIndex(state);
        refilter(state);
        return;
    }
    UINT id = entry.item->itemId;
    closeSearch(state, true);
    // A left-button pick: no history item is open, so a history entry is pasted, not added.
    popup().currentHistoryItem = nullptr;
    PostMessageA(app().mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void moveSelection(searchWindowState& state, int step) {
    int count = static_cast<int>(state.results.size());
    if (count == 0) return;
    int current = static_cast<int>(SendMessageA(state.list, LB_GETCURSEL, 0, 0));
    int next = std::clamp(current + step, 0, count - 1);
    SendMessageA(state.list, LB_SETCURSEL, next, 0);
}

int pageRows(const searchWindowState& state) {
    RECT client{};
    GetClientRect(state.list, &client);
    return std::max(1, static_cast<int>(client.bottom / std::max(1, state.rowHeight)) - 1);
}

// True when the key was the window's; the state may be gone afterwards.
bool onFieldKey(searchWindowState& state, WPARAM key) {
    switch (key) {
    case VK_UP: moveSelection(state, -1); return true;
    case VK_DOWN: moveSelection(state, 1); return true;
    case VK_PRIOR: moveSelection(state, -pageRows(state)); return true;
    case VK_NEXT: moveSelection(state, pageRows(state)); return true;
    case VK_RETURN: executeSelected(state); return true;
    case VK_ESCAPE: closeSearch(state, true); return true;
    default: return false;
    }
}

LRESULT CALLBACK fieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    searchWindowState* state = stateOf(GetParent(field));
    if (message == WM_KEYDOWN && state && onFieldKey(*state, wParam)) return 0;
    // Enter and Escape were handled as keys; as characters they would only beep.
    if (message == WM_CHAR && (wParam == '\r' || wParam == VK_ESCAPE)) return 0;
    return CallWindowProcW(fieldDefaultProc, field, message, wParam, lParam);
}

// Unicode windows, as the search window is: the query may hold any character.
// The field stays one when subclassed, through the wide functions.
HWND createChild(HWND parent, const wchar_t* className, DWORD style, int id) {
    return CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app().instance, nullptr);
}

// Children, fonts and sizes; the window's own size follows from the rows.
bool onCreate(searchWindowState& state) {
    HWND window = state.window;
    state.font = app().menuFont.handle ? app().menuFont.handle : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    measureResultRows(window, state);
    state.field = createChild(window, L"EDIT", ES_AUTOHSCROLL, IDC_SEARCH_FIELD);
    state.list = createChild(window, L"LISTBOX",
                             WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                             IDC_SEARCH_LIST);
    if (!state.field || !state.list) return false;
    SendMessageA(state.field, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
    SendMessageA(state.list, LB_SETITEMHEIGHT, 0, state.rowHeight);
    fieldDefaultProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(state.field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)));

    const int width = scaledPixels(clientWidth);
    const int fieldHeight = state.lineHeight + scaledPixels(fieldPadding);
    const int listHeight = visibleRows * state.rowHeight + 2 * GetSystemMetrics(SM_CYEDGE);
    MoveWindow(state.field, 0, 0, width, fieldHeight, FALSE);
    MoveWindow(state.list, 0, fieldHeight, width, listHeight, FALSE);
    RECT frame{0, 0, width, fieldHeight + listHeight};
    AdjustWindowRectEx(&frame, GetWindowLongA(window, GWL_STYLE), FALSE, GetWindowLongA(window, GWL_EXSTYLE));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void onQueryChanged(searchWindowState& state) {
    searchFilterStarts();
    refilter(state);
    // Timed, the list is painted at once, so that the time of a keystroke holds
    // its redraw; otherwise it is painted when the queue is empty.
    if (timingLogged()) UpdateWindow(state.list);
    searchFilterShown();
}

void onCommand(searchWindowState& state, WORD id, WORD code) {
    if (id == IDC_SEARCH_FIELD && code == EN_CHANGE) {
        onQueryChanged(state);
    } else if (id == IDC_SEARCH_LIST && code == LBN_DBLCLK) {
        executeSelected(state);
    } else if (id == IDC_SEARCH_LIST && code == LBN_SELCHANGE) {
        SetFocus(state.field);  // a click in the list selects; typing goes on in the field
    }
}

LRESULT CALLBACK searchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<searchWindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        state->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    searchWindowState* state = stateOf(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE: return onCreate(*state) ? 0 : -1;
    case WM_COMMAND: onCommand(*state, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_DRAWITEM: drawResultRow(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SETFOCUS: SetFocus(state->field); return 0;
    case WM_ACTIVATE:
        // Another window taken to the front ends the search, as it would end a menu.
        if (LOWORD(wParam) == WA_INACTIVE && !state->closing) closeSearch(*state, false);
        return 0;
    case WM_CLOSE: closeSearch(*state, true); return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (state->ownedByWindow) delete state;
        openWindow = nullptr;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerSearchClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = searchWindowProc;
    windowClass.hInstance = app().instance;
    windowClass.hIcon = app().appIcon32;
    windowClass.hIconSm = app().appIcon16;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = searchClassName;
    registered = RegisterClassExW(&windowClass) != 0;
    return registered;
}

// Below the target's caret (null: there is none), or at the pointer; inside the
// work area of that screen, and above the caret when there is no room below it.
void placeWindow(HWND window, int lineHeight, const POINT* caret) {
    POINT anchor{};
    if (caret) {
        anchor = *caret;
        anchor.y += lineHeight + scaledPixels(4);
    } else {
        GetCursorPos(&anchor);
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = anchor.x, y = anchor.y;
    if (y + height > work.bottom && caret) y = caret->y - height;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(window, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

bool closeQuickSearch() {
    searchWindowState* state = IsWindow(openWindow) ? stateOf(openWindow) : nullptr;
    if (!state) return false;
    closeSearch(*state, true);
    return true;
}

void openQuickSearch() {
    if (IsWindow(openWindow)) {
        SetForegroundWindow(openWindow);
        return;
    }
    if (!registerSearchClass()) return;
    // Read while the target is still in front.
    POINT caret{};
    const bool atCaret = readTargetCaret(caret);
    auto state = std::make_unique<searchWindowState>();
    fillIndex(*state);
    HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, searchClassName, L"Tolvane 検索",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 0, 0, app().mainWindow,
                                  nullptr, app().instance, state.get());
    if (!window) return;
    searchWindowState& shown = *state.release();
    shown.ownedByWindow = true;
    openWindow = window;
    refilter(shown);
    placeWindow(window, shown.lineHeight, atCaret ? &caret : nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(shown.field);
}

}  // namespace tv
