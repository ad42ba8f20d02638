#include "shell/window_program.h"

namespace tv {

std::string programPathOf(HWND window) {
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(window, &processId)) return std::string();
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return std::string();
    char path[MAX_PATH * 2] = "";
    DWORD length = sizeof path;
    std::string program;
    if (QueryFullProcessImageNameA(process, 0, path, &length)) program.assign(path, length);
    CloseHandle(process);
    return program;
}

}  // namespace tv
