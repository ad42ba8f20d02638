// Shared bits of the end-to-end helper programs: byte-exact file and stdout
// I/O, UTF-8 for the wide messages, and joining the Wine virtual desktop the
// test runs on.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

// A helper started from the Unix shell lands on Wine's "Default" desktop, where
// it cannot see the test's windows (EnumWindows, FindWindow and the foreground
// window are per desktop). lib.sh names the test's desktop in E2E_DESKTOP; a
// thread may switch desktops only before it owns any window, so call this first.
inline void join_test_desktop()
{
    char name[256];
    DWORD length = GetEnvironmentVariableA("E2E_DESKTOP", name, sizeof name);
    if (length == 0 || length >= sizeof name)
        return;
    HDESK desktop = OpenDesktopA(name, 0, FALSE, GENERIC_ALL);
    if (!desktop) {
        fprintf(stderr, "cannot open desktop %s (error %lu)\n", name, GetLastError());
        exit(3);
    }
    if (!SetThreadDesktop(desktop)) {
        fprintf(stderr, "cannot switch to desktop %s (error %lu)\n", name, GetLastError());
        exit(3);
    }
}

inline bool read_whole_file(const char* path, std::string& bytes)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

// UTF-8 bytes as a NUL-terminated UTF-16 string, for the wide messages.
inline std::vector<wchar_t> utf8_to_wide(const std::string& bytes)
{
    std::vector<wchar_t> wide(bytes.size() + 1);
    int units = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                    static_cast<int>(wide.size()));
    wide[units > 0 ? units : 0] = L'\0';
    return wide;
}

// A window's text read through the wide messages, as UTF-8: every character,
// those code page 932 lacks included.
inline std::string window_text_utf8(HWND hwnd)
{
    LRESULT length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(length + 1);
    LRESULT copied = SendMessageW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 0)
        copied = 0;
    std::string text(copied * 3 + 1, '\0');
    int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), static_cast<int>(copied), &text[0],
                                    static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(bytes > 0 ? bytes : 0);
    return text;
}

// "-" means stdout. A file is written under a temporary name and renamed, so a
// test polling for it never reads half of it.
inline bool write_whole_file(const char* path, const std::string& bytes)
{
    if (strcmp(path, "-") == 0) {
        _setmode(_fileno(stdout), _O_BINARY);
        bool ok = fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
        return fflush(stdout) == 0 && ok;
    }
    std::string temporary = std::string(path) + ".part";
    FILE* f = fopen(temporary.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (fclose(f) == 0) && ok;
    if (ok)
        ok = MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok)
        DeleteFileA(temporary.c_str());
    return ok;
}

inline std::string class_of(HWND hwnd)
{
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

inline std::string hwnd_text(HWND hwnd)
{
    char text[32];
    snprintf(text, sizeof text, "0x%08llx", (unsigned long long)(ULONG_PTR)hwnd);
    return text;
}

inline HWND parse_hwnd(const char* text)
{
    return (HWND)(ULONG_PTR)strtoull(text, nullptr, 0);
}

// Milliseconds from a QueryPerformanceCounter reading until now.
inline double milliseconds_since(const LARGE_INTEGER& start)
{
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}
