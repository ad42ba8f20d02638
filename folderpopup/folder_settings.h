// The folder popup's own settings ("./Vossel.ini", section MENU), the FOLDERS
// directory of registered folder shortcuts, and choosing a folder with the
// shell's folder browser.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// What a folder menu does when it would be taller than the screen. The values
// are the settings dialog's radio-button ids, and are stored as they are.
namespace folderShowMode {
enum : int {
    newColumn = 1002,     // "右に折り返す(&R)"
    continuation = 1003,  // "新しくポップアップ(&P)": a "続き(&Z)..." submenu
    nothing = 1004,       // "何もしない(&N)"
};
}

// Bits of ShowDrives above the 26 drive bits (A is bit 0).
namespace folderFlag {
constexpr uint32_t drives = 0x03FFFFFF;
constexpr uint32_t contentsSubmenu = 1u << 26;   // "内容(&Y)..." in every folder menu
constexpr uint32_t noIcons = 1u << 27;
constexpr uint32_t hideRegistered = 1u << 28;    // the FOLDERS entries are not listed
constexpr uint32_t filesInFolderMenu = 1u << 29; // files follow the subfolders
constexpr uint32_t noOpenEntry = 1u << 30;       // no "開く(&O)" at the head
constexpr uint32_t explorerEntry = 1u << 31;     // "エクスプローラ(&E)" at the head
}

// A ShowMode no radio button stands for (a hand edit) reads as the default, so
// the menus and the settings dialog agree on what it means.
inline int knownShowMode(int showMode) {
    return showMode >= folderShowMode::newColumn && showMode <= folderShowMode::nothing ? showMode
                                                                                        : folderShowMode::continuation;
}

struct folderPopupSettings {
    int ShowMode = folderShowMode::continuation;
    uint32_t ShowDrives = 134217727;  // bits 0-26: every drive and the contents submenu
};

}  // namespace tv
