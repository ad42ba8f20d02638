#include "shell/timing_log.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace tv {

namespace {

// Read once: the environment does not change while the program runs.
const std::string& logPath() {
    static const std::string path = [] {
        char buffer[MAX_PATH] = {};
        DWORD length = GetEnvironmentVariableA("TOLVANE_TIMING_LOG", buffer, sizeof buffer);
        return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
    }();
    return path;
}

void appendLine(const std::string& line) {
    HANDLE file = CreateFileA(logPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

LARGE_INTEGER openingStart{};
LARGE_INTEGER editorStepStart{};
bool openingTimed = false;
// Start-up's steps are written with "tray", all at once: scripts take the log
// file's appearance for the tray icon's.
std::string startupSteps;

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

void menuOpeningStarts() {
    if (logPath().empty()) return;
    QueryPerformanceCounter(&openingStart);
    openingTimed = true;
}

void menuLoopIdle() {
    if (!openingTimed) return;
    openingTimed = false;
    char line[64];
    snprintf(line, sizeof line, "open: %.1f ms\n", millisecondsSince(openingStart));
    appendLine(line);
}

void trayIconShown() {
    if (logPath().empty()) return;
    appendLine(startupSteps + "tray\n");
    startupSteps.clear();
}

void startupStepDone(const char* step) {
    if (logPath().empty()) return;
    static LARGE_INTEGER previous = [] {
        // The first step is timed from the process's creation.
        FILETIME created, exited, kernel, user, now;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER from{}, to{};
        from.LowPart = created.dwLowDateTime;
        from.HighPart = created.dwHighDateTime;
        to.LowPart = now.dwLowDateTime;
        to.HighPart = now.dwHighDateTime;
        LARGE_INTEGER counter, frequency;
        QueryPerformanceCounter(&counter);
        QueryPerformanceFrequency(&frequency);
        // FILETIME counts 100 ns steps.
        counter.QuadPart -= static_cast<LONGLONG>((to.QuadPart - from.QuadPart) * frequency.QuadPart / 10000000);
        return counter;
    }();
    char line[128];
    snprintf(line, sizeof line, "startup: %s %.1f ms\n", step, millisecondsSince(previous));
    startupSteps += line;
    QueryPerformanceCounter(&previous);
}

void editorStepsBegin() {
    if (!logPath().empty()) QueryPerformanceCounter(&editorStepStart);
}

void editorStepDone(const char* step) {
    if (logPath().empty()) return;
    char line[128];
    snprintf(line, sizeof line, "editor: %s %.1f ms\n", step, millisecondsSince(editorStepStart));
    appendLine(line);
    QueryPerformanceCounter(&editorStepStart);
}

}  // namespace tv
