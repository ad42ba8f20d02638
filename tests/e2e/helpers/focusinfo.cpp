// focusinfo: the foreground window and the control that has the keyboard focus,
// as tab-separated lines:
//   foreground HWND CLASS PID TITLE
//   focus HWND CLASS
//   active HWND CLASS
// A missing window prints HWND 0x00000000 and class "-". Exit 1 when there is
// no foreground window.
#include "helper_common.h"

#include <fcntl.h>

namespace {

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
    if (foreground) {
        DWORD thread = GetWindowThreadProcessId(foreground, &pid);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info)) {
            focus = info.hwndFocus;
            active = info.hwndActive;
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
    fflush(stdout);
    return foreground ? 0 : 1;
}
