#include "folderpopup/folder_menu_core.h"

#include <algorithm>

namespace tv {

const char* const openEntryLabel = "開く(&O)";
const char* const explorerEntryLabel = "エクスプローラ(&E)";
const char* const contentsEntryLabel = "内容(&Y)...";
const char* const continuationEntryLabel = "続き(&Z)...";
const char* const cannotDisplayLabel = "表示不可";
const char* const noEntriesLabel = "なし";
const char* const folderSettingsLabel = "設定(ファイルフォルダ)...";

namespace {

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWithExtension(const std::string& name, const char* extension) {
    if (name.size() <= 4) return false;
    for (size_t i = 0; i < 4; ++i)
        if (lowerAscii(name[name.size() - 4 + i]) != extension[i]) return false;
    return true;
}

// The last character of a code page 932 string is a backslash or slash only
// when it is not the trail byte of a double-byte character.
bool endsWithSeparator(const std::string& path) {
    size_t i = 0, last = std::string::npos;
    while (i < path.size()) {
        last = i;
        i += isLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size() ? 2 : 1;
    }
    return last != std::string::npos && i - last == 1 && (path[last] == '\\' || path[last] == '/');
}

}  // namespace

std::string mnemonicLabel(const std::string& name) {
    unsigned char first = name.empty() ? 0 : static_cast<unsigned char>(name[0]);
    return first > 0x1F && first < 0x80 ? "&" + name : name;
}

std::string fileLabel(const std::string& name) {
    for (const char* extension : {".lnk", ".url", ".pif"})
        if (endsWithExtension(name, extension)) return mnemonicLabel(name.substr(0, name.size() - 4));
    return mnemonicLabel(name);
}

std::string shortcutFolderLabel(const std::string& name) { return mnemonicLabel(name.substr(0, name.size() - 4)); }

bool isShortcutFileName(const std::string& name) { return endsWithExtension(name, ".lnk"); }

std::string joinPath(const std::string& folder, const std::string& name, bool isFolder) {
    std::string path = folder;
    if (!endsWithSeparator(path)) path += '\\';
    path += name;
    if (isFolder) path += '\\';
    return path;
}

bool fitsShellPath(const std::string& path) { return path.size() < maxShellPath; }

std::string driveText(char letter) { return std::string("&") + letter + ":\\"; }

std::string driveLabel(char letter, const std::string& volumeName, bool haveVolumeName) {
    if (!haveVolumeName) return driveText(letter);
    return volumeName + " (" + driveText(letter) + ")";
}

void sortEntries(std::vector<folderEntry>& entries, const labelCompare& compare) {
    std::sort(entries.begin(), entries.end(), [&](const folderEntry& a, const folderEntry& b) {
        return compare(a.label.c_str(), b.label.c_str()) < 0;
    });
}

entryPlace placeEntry(columnLayout& layout, int w, int h, int showMode, screenSize screen) {
    if (w > layout.widest) layout.widest = w + 1;
    layout.height += h + 1;
    if (layout.height < screen.height - 32) return entryPlace::append;
    layout.height = 0;
    switch (showMode) {
    case 1002:
        layout.totalWidth += layout.widest;
        if (layout.totalWidth + layout.widest >= screen.width - 64) {
            layout.totalWidth = 0;
            layout.widest = w;
            return entryPlace::continuation;
        }
        // This entry is the first of the new column.
        layout.widest = w + 1;
        return entryPlace::newColumn;
    case 1003: return entryPlace::continuation;
    default: return entryPlace::append;  // the menu grows and Windows scrolls it
    }
}

unsigned commandCounter::next() {
    unsigned id = next_;
    next_ = next_ >= 55498 ? 34002 : next_ + 1;
    return id;
}

char labelMnemonic(const std::string& label) {
    for (size_t i = 0; i < label.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(label[i]))) {
            ++i;
            continue;
        }
        if (label[i] == '&') return i + 1 < label.size() ? lowerAscii(label[i + 1]) : 0;
    }
    return 0;
}

menuCharResult chooseByCharacter(const std::vector<menuCharEntry>& entries, char typed) {
    typed = lowerAscii(typed);
    int highlighted = -1;
    std::vector<int> matches;
    for (int position = 0; position < static_cast<int>(entries.size()); ++position) {
        const menuCharEntry& entry = entries[position];
        if (entry.highlighted) {
            highlighted = position;
            if (typed == ' ') return {menuCharAction::execute, position};
        }
        if (!entry.enabled || entry.label.empty()) continue;
        char key = labelMnemonic(entry.label);
        if (key != 0 && key == typed) matches.push_back(position);
    }
    if (matches.size() == 1) return {menuCharAction::execute, matches.front()};
    if (!matches.empty()) {
        for (int position : matches)
            if (position > highlighted) return {menuCharAction::select, position};
        return {menuCharAction::select, matches.front()};
    }
    if (!entries.empty() && entries.back().label == continuationEntryLabel)
        return {menuCharAction::execute, static_cast<int>(entries.size()) - 1};
    return {};
}

}  // namespace tv
