// The folder popup's rules that need no Windows: labels and mnemonics of
// directory entries, joining paths, the order of a listing, where an entry goes
// when the menu grows taller than the screen, command ids, and which entry a
// typed character picks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tv {

// One enumerated directory entry.
struct folderEntry {
    std::string path;   // folders end with a backslash, files do not
    std::string label;  // may start with "&" for the mnemonic
    bool isFolder = false;
};

// Named entries of folder menus.
extern const char* const openEntryLabel;          // "開く(&O)"
extern const char* const explorerEntryLabel;      // "エクスプローラ(&E)"
extern const char* const contentsEntryLabel;      // "内容(&Y)..."
extern const char* const continuationEntryLabel;  // "続き(&Z)..."
extern const char* const cannotDisplayLabel;      // "表示不可"
extern const char* const noEntriesLabel;          // "なし"
extern const char* const folderSettingsLabel;     // "設定(ファイルフォルダ)..."

// The ANSI file functions stop at this many bytes, terminator included.
constexpr size_t maxShellPath = 260;

// An ASCII first character becomes the mnemonic; a name starting with a
// double-byte character gets none.
std::string mnemonicLabel(const std::string& name);
// A file's label: the "&" rule, and shortcut extensions (.lnk, .url, .pif) hidden.
std::string fileLabel(const std::string& name);
// A folder shortcut's label: the name without ".lnk", then the "&" rule.
std::string shortcutFolderLabel(const std::string& name);
// True for a name longer than 4 bytes ending in ".lnk" in any case.
bool isShortcutFileName(const std::string& name);
// folder + (backslash unless it already ends in one or a slash) + name, and a
// trailing backslash for folders. Never shortened: a trail byte 0x5C at the end
// of the folder is part of its last character, not a separator.
std::string joinPath(const std::string& folder, const std::string& name, bool isFolder);
// Whether the ANSI file functions can take the path (shorter than 260 bytes);
// a folder that cannot be entered is shown as "表示不可".
bool fitsShellPath(const std::string& path);
// The drive entries' text: "&C:\".
std::string driveText(char letter);
// The drive's label: "name (&C:\)", or the drive text when there is no name.
std::string driveLabel(char letter, const std::string& volumeName, bool haveVolumeName);

// Sorts by label with the given three-way comparison (lstrcmpA under Windows).
using labelCompare = std::function<int(const char*, const char*)>;
void sortEntries(std::vector<folderEntry>& entries, const labelCompare& compare);

// The column arithmetic of the list-adding rule.
struct columnLayout {
    int height = 0;      // of the current column
    int widest = 0;      // widest entry of the current column, plus one
    int totalWidth = 0;  // of the finished columns
};

enum class entryPlace {
    append,        // in the current column
    newColumn,     // starts a new column (MFT_MENUBARBREAK)
    continuation,  // does not fit: it and the rest go to a "続き(&Z)..." submenu
};

struct screenSize {
    int width;
    int height;
};

// Where the next entry of size w x h goes with show mode 1002, 1003 or 1004.
entryPlace placeEntry(columnLayout& layout, int w, int h, int showMode, screenSize screen);

// Command ids of executable entries: 34010 first, 55498 wraps to 34002.
constexpr unsigned folderSubmenuId = 34001;  // entries with a submenu, separators, "none highlighted"
constexpr unsigned firstEntryId = 34010;
class commandCounter {
public:
    unsigned next();

private:
    unsigned next_ = firstEntryId;
};

// The character after the first "&" (A-Z lowered), or 0. Lead bytes of code
// page 932 are stepped over with their trail byte.
char labelMnemonic(const std::string& label);

// One entry of a menu as WM_MENUCHAR sees it.
struct menuCharEntry {
    std::string label;    // empty for entries that are not owner-drawn nodes
    bool enabled = true;
    bool highlighted = false;
};

enum class menuCharAction { ignore, execute, select };
struct menuCharResult {
    menuCharAction action = menuCharAction::ignore;
    int position = 0;
};

// A blank runs the highlighted entry; one match runs, several take turns being
// selected; no match opens a trailing "続き(&Z)..." entry.
menuCharResult chooseByCharacter(const std::vector<menuCharEntry>& entries, char typed);

}  // namespace tv
