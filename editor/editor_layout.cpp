#include "editor/editor_layout.h"

#include "app/app_state.h"
#include "editor/splitter.h"
#include "res/resource.h"

namespace tv {

namespace {

// Which way each control follows a change of the client size.
struct resizeRule {
    int id;
    bool moves;     // by the change in width and height, keeping its size
    bool widens;    // by the change in width
    bool heightens; // by the change in height
};

const resizeRule resizeRules[] = {
    {IDC_OK, true, false, false},           {IDC_APPLY, true, false, false},
    {IDCANCEL, true, false, false},         {IDC_HOTKEY_LABEL, true, false, false},
    {IDC_HOTKEY, true, false, false},       {IDC_CORNER_LABEL, true, false, false},
    {IDC_WIN_KEY, true, false, false},      {IDC_CORNER, true, false, false},
    {IDC_DISPLAY_TEXT, false, true, false}, {IDC_MODE, false, true, false},
    {IDC_CONTENT, false, true, true},       {IDC_TREE, false, false, true},
    {IDC_SPLITTER, false, false, true},
};

windowPlacement& stored() { return app().config.editor; }

bool onScreen(const windowPlacement& place) {
    return place.right > place.left && place.bottom > place.top && place.left < GetSystemMetrics(SM_CXFULLSCREEN) &&
           place.top < GetSystemMetrics(SM_CYFULLSCREEN);
}

void storeWindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    stored().left = rect.left;
    stored().top = rect.top;
    stored().right = rect.right;
    stored().bottom = rect.bottom;
}

void moveEditorSplit(const editorState& editor, int distance) {
    HWND window = editor.window;
    splitLayout layout{GetDlgItem(window, IDC_SPLITTER),
                       editor.tree,
                       {editor.displayText, editor.content, nullptr, nullptr},
                       {editor.contentLabel, nullptr}};
    moveSplit(layout, distance);
}

}  // namespace

void initEditorLayout(editorState& editor) {
    RECT client{}, window{};
    GetClientRect(editor.window, &client);
    GetWindowRect(editor.window, &window);
    editor.clientSize = {client.right, client.bottom};
    editor.minTrackSize = {window.right - window.left, window.bottom - window.top};
    attachSplitter(GetDlgItem(editor.window, IDC_SPLITTER), [&editor](int distance) {
        moveEditorSplit(editor, distance);
        stored().sp += distance;
    });
}

void restoreEditorPlacement(editorState& editor) {
    const windowPlacement& place = stored();
    if (onScreen(place))
        MoveWindow(editor.window, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    else
        editor.firstSize = false;
    if (place.sp != 0 && onScreen(place)) moveEditorSplit(editor, place.sp);
    // Where the window opened is its place until it moves: without this, a
    // window never moved would not bring its split back next time.
    storeWindowRect(editor.window);
    if (place.Maxed) ShowWindow(editor.window, SW_SHOWMAXIMIZED);
}

// The edge being dragged goes back so the window is exactly the minimum; the
// opposite edge stays where it is.
void onEditorSizing(const editorState& editor, WPARAM edge, RECT& rect) {
    const LONG minWidth = editor.minTrackSize.cx, minHeight = editor.minTrackSize.cy;
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

void onEditorMove(const editorState& editor) {
    if (!IsZoomed(editor.window) && !IsIconic(editor.window)) storeWindowRect(editor.window);
}

void onEditorSize(editorState& editor, WPARAM type, int width, int height) {
    HWND window = editor.window;
    if (!editor.firstSize) stored().Maxed = type == SIZE_MAXIMIZED;
    editor.firstSize = false;
    if (type == SIZE_MINIMIZED) return;
    RECT outer{};
    GetWindowRect(window, &outer);
    if (outer.right - outer.left < editor.minTrackSize.cx || outer.bottom - outer.top < editor.minTrackSize.cy) return;
    if (type != SIZE_MAXIMIZED) storeWindowRect(window);

    const int dx = width - editor.clientSize.cx, dy = height - editor.clientSize.cy;
    RECT grip{editor.clientSize.cx - 32, editor.clientSize.cy - 32, width, height};
    InvalidateRect(window, &grip, TRUE);
    editor.clientSize = {width, height};
    if (dx == 0 && dy == 0) return;

    HDWP defer = BeginDeferWindowPos(static_cast<int>(sizeof resizeRules / sizeof resizeRules[0]));
    for (const resizeRule& rule : resizeRules) {
        HWND control = GetDlgItem(window, rule.id);
        if (!control || !defer) continue;
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        int x = rect.left + (rule.moves ? dx : 0), y = rect.top + (rule.moves ? dy : 0);
        int w = rect.right - rect.left + (rule.widens ? dx : 0), h = rect.bottom - rect.top + (rule.heightens ? dy : 0);
        defer = DeferWindowPos(defer, control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (defer) EndDeferWindowPos(defer);
    UpdateWindow(window);
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

}  // namespace tv
