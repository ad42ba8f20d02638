#include "folderpopup/vossel_settings.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "folderpopup/folder_popup.h"
#include "folderpopup/settings_dialog.h"
#include "folderpopup/shortcut_name.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/settings.h"
#include "shell/shell_link_file.h"

namespace tv {

namespace {

// Relative on purpose: the folder popup reads and writes it only while the
// start directory is current, and users move the program with its files.
const char settingsFile[] = "./Vossel.ini";
const char settingsSection[] = "MENU";

std::string& foldersPath() {
    static std::string path;
    return path;
}

void backToStartDirectory() { SetCurrentDirectoryA(app().startDirectory.c_str()); }

void freeIdList(LPITEMIDLIST list) {
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
        allocator->Free(list);
        allocator->Release();
    }
}

// Saves a shortcut to the browsed folder in FOLDERS; one of the same name is
// replaced. Failures leave no trace: the user sees FOLDERS opened right after
// and can tell whether the registration is there.
void registerFolder(LPCITEMIDLIST folder, const std::string& displayName) {
    std::string file = foldersDirectory() + "\\" + shortcutFileName(displayName);
    saveShellLink(file, [&](IShellLinkA& link) { return SUCCEEDED(link.SetIDList(folder)); });
}

profileFile vosselFile() {
    profileFile file(settingsFile);
    file.section(settingsSection);
    return file;
}

}  // namespace

folderPopupSettings readFolderPopupSettings() {
    const profileFile file = vosselFile();
    folderPopupSettings settings;
    settings.ShowMode = knownShowMode(file.readInt("ShowMode", settings.ShowMode));
    settings.ShowDrives = static_cast<uint32_t>(file.readInt("ShowDrives", static_cast<int>(settings.ShowDrives)));
    return settings;
}

bool writeFolderPopupSettings(const folderPopupSettings& settings) {
    profileFile file = vosselFile();
    file.writeInt("ShowMode", settings.ShowMode);
    // Signed, so that bits 30 and 31 make a negative number, as older copies wrote it.
    file.writeInt("ShowDrives", static_cast<int>(settings.ShowDrives));
    return !file.writeFailed();
}

void openFolderPopupSettings() {
    folderPopupSettings settings = readFolderPopupSettings();
    if (showFolderSettingsDialog(app().mainWindow, settings) && !writeFolderPopupSettings(settings))
        reportWriteFailure(app().mainWindow);
}

const std::string& foldersDirectory() { return foldersPath(); }

void initFolderPopup() {
    // Shell links, here and in the folder menus, are COM objects.
    CoInitialize(nullptr);
    const std::string& start = app().startDirectory;
    bool endsInSeparator = !start.empty() && (start.back() == '\\' || start.back() == '/');
    foldersPath() = start + (endsInSeparator ? "" : "\\") + "FOLDERS";
    if (GetFileAttributesA(foldersPath().c_str()) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryA(foldersPath().c_str(), nullptr);
}

int browseForFolder(HWND owner, const char* title, std::string* path, std::string* displayName) {
    // The shell writes at most MAX_PATH bytes into the display name.
    char name[MAX_PATH] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.pszDisplayName = name;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST folder = SHBrowseForFolderA(&browse);
    if (!folder) {
        backToStartDirectory();
        return 2;
    }
    if (path || displayName) {
        // SHGetPathFromIDListA fails for a folder whose path does not fit in
        // MAX_PATH; the caller then gets an empty path, never a cut one.
        char chosen[MAX_PATH] = "";
        if (path) *path = SHGetPathFromIDListA(folder, chosen) ? chosen : "";
        if (displayName) *displayName = name;
    } else {
        registerFolder(folder, name);
    }
    freeIdList(folder);
    backToStartDirectory();
    return 1;
}

}  // namespace tv
