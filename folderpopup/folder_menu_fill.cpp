// Filling folder menus: enumerating a folder, resolving folder shortcuts, and
// appending entries with the overflow rule of the show mode.
#include <windows.h>

#include "folderpopup/folder_menu.h"
#include "folderpopup/shell_link.h"
#include "folderpopup/vossel_settings.h"
#include "res/resource.h"

namespace tv {

namespace {

enum class wantedKind { folders, files };

// The folder a .lnk file points to, with no trailing backslash; empty when it
// points elsewhere or cannot be read.
std::string resolveFolderShortcut(const std::string& file) {
    WIN32_FIND_DATAA found;
    std::string target = shortcutTargetPath(file, found);
    if (target.empty()) return target;
    // Not every shell fills the find data; the file system has the answer too.
    DWORD attributes = found.dwFileAttributes;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) attributes = GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) target.clear();
    return target;
}

// The current directory's entries of one kind, with labels and full paths.
std::vector<folderEntry> enumerateFolder(const std::string& folder, wantedKind kind) {
    std::vector<folderEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (kind == wantedKind::files) {
            if (!isFolder) entries.push_back({joinPath(folder, name, false), fileLabel(name), false});
        } else if (isFolder) {
            entries.push_back({joinPath(folder, name, true), mnemonicLabel(name), true});
        } else if (isShortcutFileName(name)) {
            std::string target = resolveFolderShortcut(joinPath(folder, name, false));
            if (!target.empty()) entries.push_back({joinPath(target, "", false), shortcutFolderLabel(name), true});
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

void sortByLocale(std::vector<folderEntry>& entries) { sortEntries(entries, lstrcmpA); }

screenSize screen() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void insertOwnerDrawn(HMENU menu, UINT position, folderMenu& owner, folderMenuNode& node, bool withSubmenu,
                      bool newColumn) {
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;
    entry.fType = MFT_OWNERDRAW | (newColumn ? MFT_MENUBARBREAK : 0);
    entry.dwItemData = reinterpret_cast<ULONG_PTR>(&node);
    entry.wID = node.commandId;
    if (withSubmenu) {
        entry.fMask |= MIIM_SUBMENU;
        entry.hSubMenu = CreatePopupMenu();
        owner.owners[entry.hSubMenu] = &node;
    }
    InsertMenuItemA(menu, position, TRUE, &entry);
}

void appendOwnerDrawn(folderMenu& owner, folderMenuNode& node, bool withSubmenu, bool newColumn) {
    insertOwnerDrawn(owner.target, static_cast<UINT>(GetMenuItemCount(owner.target)), owner, node, withSubmenu,
                     newColumn);
}

HMENU submenuAt(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.hSubMenu;
}

// A "続き(&Z)..." entry at the end of the target; its submenu becomes the target.
folderMenuNode& appendContinuation(folderMenu& menu) {
    folderMenuNode& node = menu.newNode(continuationEntryLabel, "");
    node.commandId = folderSubmenuId;
    appendOwnerDrawn(menu, node, true, false);
    menu.target = submenuAt(menu.target, GetMenuItemCount(menu.target) - 1);
    menu.layout.height = 0;
    return node;
}

void appendSeparator(HMENU menu) {
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE;
    entry.fType = MFT_SEPARATOR;
    entry.wID = folderSubmenuId;
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &entry);
}

void appendString(HMENU menu, const char* text, UINT id, UINT state) {
    MENUITEMINFOA entry{};
    entry.cbSize = sizeof(entry);
    entry.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE;
    entry.fType = MFT_STRING;
    entry.fState = state;
    entry.wID = id;
    entry.dwTypeData = const_cast<char*>(text);
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &entry);
}

// Head entries, drives and the folder's own name: always folder nodes. On
// overflow the entry opens the "続き(&Z)..." submenu instead of ending the page.
void addNamedEntry(folderMenu& menu, const std::string& label, const std::string& path, bool withSubmenu,
                   bool explore = false) {
    folderMenuNode& node = menu.newNode(label, path);
    node.isFolder = true;
    node.explore = explore;
    node.commandId = withSubmenu ? folderSubmenuId : menu.counter.next();
    int w = 0, h = 0;
    measureFolderItem(node, w, h);
    node.width = w;
    node.height = h;
    entryPlace place = placeEntry(menu.layout, w, h, menu.settings.ShowMode, screen());
    if (place == entryPlace::continuation) {
        appendContinuation(menu);
        menu.layout.height = h + 2;
    }
    appendOwnerDrawn(menu, node, withSubmenu, place == entryPlace::newColumn);
}

// A "続き(&Z)..." page's entries, taken from it and appended to menu.target
// (its submenu) as a fresh page; returns the next such page, or null.
folderMenuNode* addPendingEntries(folderMenu& menu, folderMenuNode& page) {
    std::vector<folderEntry> rest = std::move(page.pending);
    page.pending.clear();
    menu.layout = columnLayout{};
    return addEntries(menu, std::move(rest));
}

// The drives and the settings entry follow the registered folders. When these
// fill more than a page, each "続き(&Z)..." page is filled at once rather than
// when it opens: the drives would otherwise take the last page first, and a
// page that has entries is never filled again.
void addRegisteredFolders(folderMenu& menu, std::vector<folderEntry> entries) {
    folderMenuNode* more = addEntries(menu, std::move(entries));
    while (more) {
        const size_t count = more->pending.size();
        more = addPendingEntries(menu, *more);
        if (more && more->pending.size() == count) break;  // a screen shorter than one entry
    }
}

}  // namespace

folderMenuNode& folderMenu::newNode(const std::string& label, const std::string& path) {
    nodes.push_back(std::make_unique<folderMenuNode>());
    folderMenuNode& node = *nodes.back();
    node.label = label;
    node.path = path;
    return node;
}

folderMenuNode* addEntries(folderMenu& menu, std::vector<folderEntry> entries) {
    folderMeasure measure;
    const screenSize size = screen();
    for (size_t i = 0; i < entries.size(); ++i) {
        folderEntry& entry = entries[i];
        int w = 0, h = 0;
        measure.label(entry.label, w, h);
        entryPlace place = placeEntry(menu.layout, w, h, menu.settings.ShowMode, size);
        if (place == entryPlace::continuation) {
            folderMenuNode& more = appendContinuation(menu);
            more.pending.assign(std::make_move_iterator(entries.begin() + static_cast<ptrdiff_t>(i)),
                                std::make_move_iterator(entries.end()));
            return &more;
        }
        folderMenuNode& node = menu.newNode(entry.label, entry.path);
        node.width = w;
        node.height = h;
        node.isFolder = entry.isFolder;
        node.commandId = entry.isFolder ? folderSubmenuId : menu.counter.next();
        appendOwnerDrawn(menu, node, entry.isFolder, place == entryPlace::newColumn);
    }
    return nullptr;
}

void fillFolderMenu(folderMenu& menu, folderMenuNode& owner, HMENU submenu, bool singleFolderRoot) {
    menu.target = submenu;
    if (!owner.pending.empty()) {
        addPendingEntries(menu, owner);
        return;
    }
    menu.layout = columnLayout{};
    const bool contents = owner.label == contentsEntryLabel;
    const bool entered = fitsShellPath(owner.path) && SetCurrentDirectoryA(owner.path.c_str());
    if (!contents) {
        const uint32_t flags = menu.settings.ShowDrives;
        // A single folder always names itself at its top; bit 30 is for the drives' menus.
        if (menu.singleFolder) addNamedEntry(menu, singleFolderRoot ? owner.label : openEntryLabel, owner.path, false);
        else if (!(flags & folderFlag::noOpenEntry)) addNamedEntry(menu, openEntryLabel, owner.path, false);
        if (flags & folderFlag::explorerEntry) addNamedEntry(menu, explorerEntryLabel, owner.path, false, true);
        if (flags & folderFlag::contentsSubmenu) addNamedEntry(menu, contentsEntryLabel, owner.path, true);
        appendSeparator(menu.target);
    }
    if (!entered) {
        appendString(menu.target, cannotDisplayLabel, 0, MFS_DISABLED | MFS_GRAYED);
        return;
    }
    std::vector<folderEntry> entries = enumerateFolder(owner.path, contents ? wantedKind::files : wantedKind::folders);
    sortByLocale(entries);
    if (!contents && (menu.settings.ShowDrives & folderFlag::filesInFolderMenu)) {
        std::vector<folderEntry> files = enumerateFolder(owner.path, wantedKind::files);
        sortByLocale(files);
        entries.insert(entries.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    }
    if (entries.empty()) appendString(menu.target, noEntriesLabel, 0, MFS_DISABLED | MFS_GRAYED);
    else addEntries(menu, std::move(entries));
}

void buildTopMenu(folderMenu& menu) {
    menu.target = menu.root;
    menu.layout = columnLayout{};
    const uint32_t flags = menu.settings.ShowDrives;
    const std::string& registered = foldersDirectory();
    if (!(flags & folderFlag::hideRegistered) && !registered.empty() && SetCurrentDirectoryA(registered.c_str())) {
        std::vector<folderEntry> entries = enumerateFolder(registered, wantedKind::folders);
        sortByLocale(entries);
        addRegisteredFolders(menu, std::move(entries));
        appendSeparator(menu.target);
    }
    const DWORD present = GetLogicalDrives();
    bool anyDrive = false;
    for (int bit = 0; bit < 26; ++bit) {
        if (!(present & flags & (1u << bit))) continue;
        const char letter = static_cast<char>('A' + bit);
        const std::string root = std::string(1, letter) + ":\\";
        char volume[21] = {};
        bool named = GetDriveTypeA(root.c_str()) != DRIVE_REMOVABLE &&
                     GetVolumeInformationA(root.c_str(), volume, sizeof(volume), nullptr, nullptr, nullptr, nullptr, 0);
        addNamedEntry(menu, driveLabel(letter, volume, named), root, true);
        anyDrive = true;
    }
    if (anyDrive) appendSeparator(menu.target);
    appendString(menu.target, folderSettingsLabel, IDM_VOSSEL_SETTINGS, MFS_DEFAULT);
}

}  // namespace tv
