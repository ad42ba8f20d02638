#include "shell/start_with_windows.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

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

}  // namespace

bool startsWithWindows() {
    std::string shortcut = startupShortcutPath();
    return !shortcut.empty() && GetFileAttributesA(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES;
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
