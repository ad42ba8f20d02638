// faketray: a stand-in taskbar that refuses every tray icon, to model a desktop
// without a working notification area and, when it goes away, a taskbar restart.
// Usage: faketray READY_FILE STOP_FILE
//
// It makes a hidden top-level window of class "Shell_TrayWnd" in the test's
// desktop. FindWindow walks the top-level windows in Z-order, top first. Wine's
// own taskbar is not topmost; ours is, so it stays in front of it whatever
// other windows are raised later. Then ours is found both by the program's
// FindWindowA and by Wine's Shell_NotifyIcon, which sends its request as
// WM_COPYDATA (dwData = NIM_*, wParam = the icon's window) to the first
// "Shell_TrayWnd" it finds and returns the answer. Ours answers 0, so every
// request fails.
//
// It first waits (up to 10 s) for the desktop's own taskbar, so that closing
// ours leaves that one. Once FindWindowA("Shell_TrayWnd") returns our window,
// READY_FILE gets its handle. Then it prints every refused request ("refused
// NIM_ADD from HWND") and every moment another "Shell_TrayWnd" came first
// ("lost first place to HWND"; ours is raised again). When STOP_FILE exists,
// the window is destroyed, "gone" is printed and the program ends with 0. It
// also ends by itself after ten minutes, so a forgotten copy cannot linger.
// Both files are Windows paths.
#include "helper_common.h"

namespace {

const char* const trayClassName = "Shell_TrayWnd";
const UINT_PTR pollTimer = 1;
const DWORD lifetimeMs = 600000;

std::string stopFile;
DWORD startTick;

const char* notifyMessageName(ULONG_PTR message)
{
    switch (message) {
    case NIM_ADD: return "NIM_ADD";
    case NIM_MODIFY: return "NIM_MODIFY";
    case NIM_DELETE: return "NIM_DELETE";
    case NIM_SETFOCUS: return "NIM_SETFOCUS";
    case NIM_SETVERSION: return "NIM_SETVERSION";
    }
    return "NIM_?";
}

void say(const std::string& line)
{
    fputs((line + "\n").c_str(), stdout);
    fflush(stdout);
}

void raise(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Every 100 ms: keep the first place, and end when told to.
void onPoll(HWND window)
{
    HWND first = FindWindowA(trayClassName, nullptr);
    if (first != window) {
        say("lost first place to " + hwnd_text(first));
        raise(window);
    }
    if (GetFileAttributesA(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES || GetTickCount() - startTick > lifetimeMs)
        DestroyWindow(window);
}

LRESULT CALLBACK fakeTrayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        say(std::string("refused ") + notifyMessageName(data ? data->dwData : ~ULONG_PTR(0)) + " from " +
            hwnd_text(reinterpret_cast<HWND>(wParam)));
        return 0;
    }
    case WM_TIMER:
        if (wParam == pollTimer) onPoll(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fputs("usage: faketray.exe READY_FILE STOP_FILE\n", stderr);
        return 2;
    }
    join_test_desktop();
    stopFile = argv[2];
    startTick = GetTickCount();
    while (!FindWindowA(trayClassName, nullptr)) {
        if (GetTickCount() - startTick > 10000) {
            fputs("faketray: the desktop has no taskbar to stand in front of\n", stderr);
            return 1;
        }
        Sleep(50);
    }

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = fakeTrayProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = trayClassName;
    if (!RegisterClassA(&windowClass)) {
        fprintf(stderr, "faketray: RegisterClass failed (error %lu)\n", GetLastError());
        return 3;
    }
    // Never shown: the tests find Wine's taskbar by its visible window.
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, trayClassName, "", WS_POPUP, 0,
                                  0, 1, 1, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        fprintf(stderr, "faketray: CreateWindow failed (error %lu)\n", GetLastError());
        return 3;
    }
    raise(window);
    HWND first = FindWindowA(trayClassName, nullptr);
    if (first != window) {
        fprintf(stderr, "faketray: FindWindowA finds %s, not ours (%s)\n", hwnd_text(first).c_str(),
                hwnd_text(window).c_str());
        DestroyWindow(window);
        return 1;
    }
    if (!write_whole_file(argv[1], hwnd_text(window) + "\n")) {
        fprintf(stderr, "faketray: cannot write %s\n", argv[1]);
        DestroyWindow(window);
        return 3;
    }
    SetTimer(window, pollTimer, 100, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    say("gone");
    return 0;
}
