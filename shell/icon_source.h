// Which icon an item shows, decided without touching Windows: the standard slots
// of the shared image list, the URL test and the parsing of a "DefaultIcon" value.
// The Win32 half (item_icons.cpp) loads and extracts the icons these name.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// The standard icons, in the order they are appended to the image list.
namespace iconSlot {
enum : int {
    phrase = 0,               // inputString, history entries, modes without an icon
    dataPhrase = 1,           // inputDataString
    folder = 2,               // an entry with a submenu
    setting = 3,              // showSetting
    vSeparator = 4,
    hSeparator = 5,
    history = 6,              // clipBoardHistory
    application = 7,
    date = 8,                 // dateTimeExt, newDateTime
    dateFolder = 9,           // a date item with a submenu
    editHistory = 10,
    exit = 11,
    eraseHistory = 12,
    folderSelected = 13,
    dateFolderSelected = 14,
    historySelected = 15,
    enclose = 16,             // encloseSelection
    folderPopup = 17,         // a folder popup without a usable path icon
    count = 18,
};
}

// The icon resource behind each standard slot, indexed by slot.
extern const int standardIconResources[iconSlot::count];

// The slot chosen by mode alone, when neither a file nor a program gives an icon.
int builtInIconSlot(uint8_t mode);

// Slots that win over a program icon: the history item always shows its own,
// and an entry with a submenu (other than a folder popup) shows a folder.
// Returns -1 when the mode and submenu state leave the choice open.
int submenuIconSlot(uint8_t mode, bool hasSubmenu, bool selected);

// Program and folder-popup items take their icon from what their data names.
bool takesProgramIcon(uint8_t mode, const std::string& data);

// The schemes that show the Internet-shortcut icon. Case matters: "HTTP://x"
// is taken for a path.
bool isUrlCommand(const std::string& data);

// A registry "DefaultIcon" value is "path,index". The path ends at the last
// comma; the index is read from the first '-' or digit after it. False when
// there is no comma or no index.
bool parseDefaultIcon(const std::string& value, std::string& path, int& index);

}  // namespace tv
