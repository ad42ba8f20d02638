#include "folderpopup/shell_link.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "folderpopup/folder_menu_core.h"
#include "shell/messages.h"
#include "shell/shell_link_file.h"

namespace tv {

namespace {

// A shortcut to a shortcut is rare; eight in a row is a loop or a trap.
constexpr int longestShortcutChain = 8;

// Shell links need COM on this thread. Start-up normally initialises it; a
// second CoInitialize only counts up, and the process end releases it.
void ensureCom() {
    static bool ready = false;
    if (ready) return;
    HRESULT result = CoInitialize(nullptr);
    ready = SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}

void reportEndlessShortcut(HWND owner, const std::string& path) {
    std::string text = "ショートカットのリンク先を開けません．\r\n"
                       "（ショートカットが自分自身を指しているか，ショートカットのつながりが長すぎます）\r\n\r\n" +
                       path;
    settingsMessage(owner, text.c_str(), MB_ICONERROR);
}

}  // namespace

std::string shortcutTargetPath(const std::string& file, WIN32_FIND_DATAA& found) {
    std::string target;
    found = WIN32_FIND_DATAA{};
    // A longer name would be cut by the 260-character conversion of the load.
    if (!fitsShellPath(file)) return target;
    ensureCom();
    loadShellLink(file, [&](IShellLinkA& link) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(link.GetPath(path, MAX_PATH - 1, &found, SLGP_UNCPRIORITY))) target = path;
    });
    return target;
}

bool shortcutChainEnds(HWND owner, const std::string& path) {
    std::string current = path;
    for (int step = 0; step < longestShortcutChain; ++step) {
        if (!isShortcutFileName(current)) return true;
        WIN32_FIND_DATAA found;
        current = shortcutTargetPath(current, found);
        // An unreadable link, or one to something outside the file system: the
        // shell does not follow it further.
        if (current.empty()) return true;
    }
    if (!isShortcutFileName(current)) return true;
    reportEndlessShortcut(owner, path);
    return false;
}

}  // namespace tv
