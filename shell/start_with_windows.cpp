#include "shell/start_with_windows.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "files/code_page.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/shell_link_file.h"
#include "shell/startup.h"

namespace tv {

const char* const startupShortcutFailure = "スタートアップフォルダのショートカットを変更できませんでした．";

namespace {

// `create`: the Startup folder is made when it is missing, as before the first
// shortcut ever put there.
std::string startupShortcutPath(bool create = false) {
    char folder[MAX_PATH] = {};
    const int which = CSIDL_STARTUP | (create ? CSIDL_FLAG_CREATE : 0);
    if (FAILED(SHGetFolderPathA(nullptr, which, nullptr, SHGFP_TYPE_CURRENT, folder))) return std::string();
    return std::string(folder) + "\\Tolvane.lnk";
}

// The path in its long form, without a closing backslash (a drive's root keeps
// it), so that one folder written two ways compares equal.
std::string comparablePath(std::string path) {
    const DWORD length = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (length > 0) {
        std::string longPath(length, '\0');
        const DWORD written = GetLongPathNameA(path.c_str(), &longPath[0], length);
        if (written > 0 && written < length) path = longPath.substr(0, written);
    }
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// File names compare without regard to case, as the file system does; a trail
// byte 0x5C or a letter-valued trail byte is compared as part of its character.
bool samePath(const std::string& a, const std::string& b) {
    const std::u16string wideA = codePage932ToUtf16(comparablePath(a));
    const std::u16string wideB = codePage932ToUtf16(comparablePath(b));
    return CompareStringOrdinal(reinterpret_cast<const WCHAR*>(wideA.c_str()), static_cast<int>(wideA.size()),
                                reinterpret_cast<const WCHAR*>(wideB.c_str()), static_cast<int>(wideB.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

bool startsWithWindows() {
    std::string shortcut = startupShortcutPath();
    if (shortcut.empty() || GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    CoInitialize(nullptr);  // counts up when start-up has done it already
    std::string target, folder;
    const bool read = loadShellLink(shortcut, [&](IShellLinkA& link) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(link.GetPath(path, MAX_PATH, nullptr, 0))) target = path;
        char directory[MAX_PATH] = {};
        if (SUCCEEDED(link.GetWorkingDirectory(directory, MAX_PATH))) folder = directory;
    });
    // Started elsewhere, this copy would read another folder's data file.
    return read && !target.empty() && samePath(target, programPath()) && samePath(folder, app().startDirectory);
}

bool setStartWithWindows(bool on) {
    std::string shortcut = startupShortcutPath(on);
    if (!on) {
        // No Startup folder holds no shortcut either.
        if (shortcut.empty() || DeleteFileA(shortcut.c_str())) return true;
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    }
    if (shortcut.empty()) return false;
    CoInitialize(nullptr);  // counts up when start-up has done it already
    const std::string program = programPath();
    return !program.empty() && saveShellLink(shortcut, [&](IShellLinkA& link) {
        return SUCCEEDED(link.SetPath(program.c_str())) &&
               SUCCEEDED(link.SetWorkingDirectory(app().startDirectory.c_str()));
    });
}

void toggleStartWithWindows() {
    if (!setStartWithWindows(!startsWithWindows()))
        settingsMessage(app().mainWindow, startupShortcutFailure, MB_ICONERROR);
}

}  // namespace tv
