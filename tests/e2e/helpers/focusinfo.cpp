// focusinfo: the foreground window and the control that has the keyboard focus,
// as tab-separated lines:
//   foreground HWND CLASS PID TITLE
//   focus HWND CLASS
//   active HWND CLASS
//   xwindow XID of HWND CLASS
//   caret X Y          the foreground thread's caret in screen pixels ("- -" when none)
// A missing window prints HWND 0x00000000 and class "-". XID is the X11 window
// (of window HWND) that must hold the X keyboard focus for typed keys to reach
// the foreground program (0x0 when there is none). Exit 1 when there is no
// foreground window.
#include "helper_common.h"

#include <fcntl.h>

namespace {

// Wine drops key events that arrive through an X window whose thread does not
// own the foreground input, so keys must go through an X window of the
// foreground thread: the foreground window's own when it is shown, else the
// topmost shown window of that thread (the popup menu of a program that is in
// front with a hidden window). A menu's X window is a poor first choice: it
// goes away when the menu closes, and X then hands the focus to the desktop,
// whose keys Wine drops. Wine's X11 driver records each window's X window in
// the property read here.
struct XTarget {
    DWORD thread;
    HWND hwnd;
    HANDLE xid;
};

BOOL CALLBACK find_x_target(HWND hwnd, LPARAM param)
{
    XTarget* target = reinterpret_cast<XTarget*>(param);
    if (!IsWindowVisible(hwnd) || GetWindowThreadProcessId(hwnd, nullptr) != target->thread)
        return TRUE;
    target->xid = GetPropA(hwnd, "__wine_x11_whole_window");
    target->hwnd = hwnd;
    return target->xid == nullptr;
}

void print_line(const char* label, HWND hwnd)
{
    printf("%s\t%s\t%s", label, hwnd_text(hwnd).c_str(), hwnd ? class_of(hwnd).c_str() : "-");
}

} // namespace

int main()
{
    join_test_desktop();
    _setmode(_fileno(stdout), _O_BINARY);
    HWND foreground = GetForegroundWindow();
    HWND focus = nullptr;
    HWND active = nullptr;
    DWORD pid = 0;
    POINT caret = {};
    bool have_caret = false;
    if (foreground) {
        DWORD thread = GetWindowThreadProcessId(foreground, &pid);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info)) {
            focus = info.hwndFocus;
            active = info.hwndActive;
            caret = {info.rcCaret.left, info.rcCaret.top};
            have_caret = info.hwndCaret && ClientToScreen(info.hwndCaret, &caret);
        }
        // Sharing the foreground thread's input state makes GetFocus answer for it.
        if (!focus && AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) {
            focus = GetFocus();
            active = GetActiveWindow();
            AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
        }
    }
    char title[1024] = "";
    int length = foreground ? GetWindowTextA(foreground, title, sizeof title) : 0;
    print_line("foreground", foreground);
    printf("\t%lu\t%.*s\n", pid, length > 0 ? length : 0, title);
    print_line("focus", focus);
    printf("\n");
    print_line("active", active);
    printf("\n");
    XTarget target = {foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0, nullptr, nullptr};
    if (foreground && IsWindowVisible(foreground)) {
        target.hwnd = foreground;
        target.xid = GetPropA(foreground, "__wine_x11_whole_window");
    }
    if (foreground && !target.xid) {
        EnumWindows(find_x_target, reinterpret_cast<LPARAM>(&target));
        if (!target.xid) {
            target.hwnd = foreground;
            target.xid = GetPropA(foreground, "__wine_x11_whole_window");
        }
    }
    printf("xwindow\t0x%llx\t", (unsigned long long)(ULONG_PTR)target.xid);
    print_line("of", target.hwnd);
    printf("\n");
    if (have_caret)
        printf("caret\t%ld\t%ld\n", caret.x, caret.y);
    else
        printf("caret\t-\t-\n");
    fflush(stdout);
    return foreground ? 0 : 1;
}
