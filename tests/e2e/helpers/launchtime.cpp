// launchtime: how long a program takes to start, measured the same way for any
// program. Usage: launchtime (--window CLASS | --file FILE) PROGRAM [ARGS...]
// Starts PROGRAM on the test's desktop and polls every millisecond until a
// visible top-level window of CLASS exists there, or until FILE exists and is
// not empty (a program's own log of the moment it is ready). Prints
// "ready: MS ms" and leaves the program running; exit 1 after 60 s.
#include "helper_common.h"

namespace {

LARGE_INTEGER launchStart;

bool windowShown(const char* windowClass)
{
    HWND window = FindWindowA(windowClass, nullptr);
    return window && IsWindowVisible(window);
}

bool fileWritten(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) && (data.nFileSizeLow | data.nFileSizeHigh) != 0;
}

// The program and its arguments, each in double quotes.
std::string commandLine(int argc, char** argv, int first)
{
    std::string line;
    for (int index = first; index < argc; ++index) {
        if (!line.empty())
            line += ' ';
        line += '"' + std::string(argv[index]) + '"';
    }
    return line;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool byWindow = argc >= 4 && strcmp(argv[1], "--window") == 0;
    const bool byFile = argc >= 4 && strcmp(argv[1], "--file") == 0;
    if (!byWindow && !byFile) {
        fprintf(stderr, "usage: launchtime (--window CLASS | --file FILE) PROGRAM [ARGS...]\n");
        return 2;
    }
    join_test_desktop();

    char desktop[256] = {};
    GetEnvironmentVariableA("E2E_DESKTOP", desktop, sizeof desktop);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop[0] ? desktop : nullptr;
    PROCESS_INFORMATION process{};
    std::string line = commandLine(argc, argv, 3);
    QueryPerformanceCounter(&launchStart);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        fprintf(stderr, "cannot start %s (error %lu)\n", line.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    while (!(byWindow ? windowShown(argv[2]) : fileWritten(argv[2]))) {
        if (milliseconds_since(launchStart) > 60000) {
            fprintf(stderr, "%s did not get ready\n", line.c_str());
            return 1;
        }
        Sleep(1);
    }
    printf("ready: %.1f ms\n", milliseconds_since(launchStart));
    return 0;
}
