#include "shell/item_icons.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "files/item_text.h"
#include "files/unreadable_files.h"
#include "shell/app_state.h"

namespace tv {

namespace {

// A standard icon goes into the image list when it is first asked for: putting
// all of them there at once costs start-up tens of milliseconds under Wine.
constexpr int notLoaded = -2;
int standardIndices[iconSlot::count] = {
    notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded,
    notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded, notLoaded,
};

HINSTANCE resourceModule() {
    return app().instance ? app().instance : GetModuleHandleA(nullptr);
}

// The default value of a HKEY_CLASSES_ROOT key, or empty.
std::string classesRootDefault(const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char buffer[MAX_PATH * 2] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    std::string value;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        value = buffer;
    RegCloseKey(key);
    return value;
}

// An icon of a file at the image list's size (scaled with the DPI), rather
// than the system's small icon stretched.
HICON extractListSizedIcon(const std::string& path, int index) {
    int width = 16, height = 16;
    ImageList_GetIconSize(app().imageList, &width, &height);
    HICON icon = nullptr;
    UINT count = PrivateExtractIconsA(path.c_str(), index, width, height, &icon, nullptr, 1, 0);
    if (count == 0 || count == 0xFFFFFFFF) return nullptr;
    return icon;
}

// Every URL scheme shows the icon of Internet shortcut files.
HICON internetShortcutIcon() {
    std::string className = classesRootDefault(".URL");
    if (className.empty()) return nullptr;
    std::string path;
    int index = 0;
    if (!parseDefaultIcon(classesRootDefault(className + "\\DefaultIcon"), path, index)) return nullptr;
    return extractListSizedIcon(path, index);
}

// The shell's small icon for a program, document or folder path.
HICON shellFileIcon(const std::string& path) {
    SHFILEINFOA info{};
    auto systemList = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
        path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (!systemList) return nullptr;
    return ImageList_GetIcon(systemList, info.iIcon, ILD_NORMAL);
}

// Puts a resolved icon into the item's own image (appended the first time,
// replaced afterwards) and destroys the icon.
void storeItemIcon(menuItem& item, HICON icon) {
    if (item.iconImageIndex == -1)
        item.iconImageIndex = ImageList_ReplaceIcon(app().imageList, -1, icon);
    else
        ImageList_ReplaceIcon(app().imageList, item.iconImageIndex, icon);
    DestroyIcon(icon);
}

// An icon the user picked from a file. False when the file gives none, so the
// lookup falls through and is tried again at the next drawing, unless the file
// cannot be reached at all: that one is not asked again in this run.
bool resolveUserIcon(menuItem& item) {
    HICON icon = nullptr;
    lookUpUnlessUnreadable(item.extIconFileName, [&] {
        icon = extractListSizedIcon(item.extIconFileName, item.extIconIndex);
        return icon != nullptr;
    });
    if (!icon) return false;
    storeItemIcon(item, icon);
    return true;
}

HICON programIcon(const std::string& program) {
    HICON icon = nullptr;
    lookUpUnlessUnreadable(program, [&] {
        icon = shellFileIcon(program);
        return icon != nullptr;
    });
    return icon;
}

void resolveProgramIcon(menuItem& item) {
    HICON icon = isUrlCommand(item.data) ? internetShortcutIcon() : programIcon(splitTwoLines(item.data).first);
    if (icon) storeItemIcon(item, icon);
}

}  // namespace

void resetImageList() {
    for (int& index : standardIndices) index = notLoaded;
    HIMAGELIST list = app().imageList;
    if (!list) return;
    // The standard icons keep the first places, blank until each is loaded;
    // icons of items and programs come after them.
    ImageList_Remove(list, -1);
    ImageList_SetImageCount(list, iconSlot::count);
}

int standardIconIndex(int slot) {
    if (slot < 0 || slot >= iconSlot::count) return -1;
    HIMAGELIST list = app().imageList;
    if (!list) return -1;
    if (standardIndices[slot] != notLoaded) return standardIndices[slot];
    // Icons of the list's own size (scaled to the screen's DPI), not stretched 16x16 ones.
    int width = 16, height = 16;
    ImageList_GetIconSize(list, &width, &height);
    // LR_SHARED icons belong to the system: the list keeps its own copy.
    auto icon = static_cast<HICON>(
        LoadImageA(resourceModule(), MAKEINTRESOURCEA(standardIconResources[slot]), IMAGE_ICON, width, height, LR_SHARED));
    standardIndices[slot] = icon ? ImageList_ReplaceIcon(list, slot, icon) : -1;
    return standardIndices[slot];
}

int iconIndex(menuItem& item, bool hasSubmenu, bool useCache, bool selected, bool cacheOnly) {
    if (!item.extIconFileName.empty()) {
        if (useCache && item.iconImageIndex != -1) return item.iconImageIndex;
        if (cacheOnly) return -1;
        if (resolveUserIcon(item)) return item.iconImageIndex;
    }
    int slot = submenuIconSlot(item.mode, hasSubmenu, selected);
    if (slot >= 0) return standardIconIndex(slot);
    if (takesProgramIcon(item.mode, item.data)) {
        if (useCache && item.iconImageIndex != -1) return item.iconImageIndex;
        if (cacheOnly) return -1;
        resolveProgramIcon(item);
        if (item.iconImageIndex != -1) return item.iconImageIndex;
    }
    return standardIconIndex(builtInIconSlot(item.mode));
}

}  // namespace tv
