#include "app/timing_log.h"

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
bool openingTimed = false;

}  // namespace

void menuOpeningStarts() {
    if (logPath().empty()) return;
    QueryPerformanceCounter(&openingStart);
    openingTimed = true;
}

void menuLoopIdle() {
    if (!openingTimed) return;
    openingTimed = false;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double milliseconds = 1000.0 * static_cast<double>(now.QuadPart - openingStart.QuadPart) /
                                static_cast<double>(frequency.QuadPart);
    char line[64];
    snprintf(line, sizeof line, "open: %.1f ms\n", milliseconds);
    appendLine(line);
}

void trayIconShown() {
    if (!logPath().empty()) appendLine("tray\n");
}

}  // namespace tv
