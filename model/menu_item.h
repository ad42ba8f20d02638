// One menu entry and its modes. Strings are code page 932 byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tv {

// What an item does when chosen. The number is stored in the data file, is the
// position in the editor's mode list and the offset of the editor's mode commands.
namespace itemMode {
enum : uint8_t {
    inputString = 0,
    inputDataString = 1,
    exeProgram = 2,
    hSeparater = 3,
    vSeparater = 4,
    showSetting = 5,
    insertFront = 6,
    clipBoardHistory = 7,
    dateTimeExt = 8,
    editHistory = 9,
    exit = 10,
    eraseClipHistory = 11,
    newDateTime = 12,
    encloseSelection = 13,
    folderPopup = 14,
    historyEntry = 255,
};
}

// Hot-key control modifier bits kept in the high byte of menuItem::vk.
constexpr uint16_t hotkeyShift = 0x0100;
constexpr uint16_t hotkeyControl = 0x0200;
constexpr uint16_t hotkeyAlt = 0x0400;

// Bits of menuItem::extKey; nothing else is kept.
constexpr uint8_t extKeyWin = 0x01;
constexpr uint8_t extKeyExpanded = 0x10;
constexpr uint8_t extKeyKeptBits = extKeyWin | extKeyExpanded;

// An abbreviation is typed in one go in any program, so it stays short: at most
// this many bytes, whole characters, no control characters.
constexpr size_t maxAbbreviationBytes = 31;

// Whether typing an item's abbreviation can run it: the items that insert text
// or run a program, the way a menu pick does. A folder never expands, whatever
// its mode, because picking it opens its submenu.
inline bool modeTakesAbbreviation(uint8_t mode) {
    switch (mode) {
    case itemMode::inputString:
    case itemMode::inputDataString:
    case itemMode::exeProgram:
    case itemMode::dateTimeExt:
    case itemMode::newDateTime:
    case itemMode::encloseSelection: return true;
    default: return false;
    }
}

class idAllocator;
class itemRegistry;

// What an item is, apart from where the registry and the id range keep it:
// copied whole when the editor changes a copy of a running item.
struct itemValues {
    uint8_t mode = itemMode::inputString;
    uint8_t extKey = 0;
    // The content (`data`; a history entry's `text`) keeps each character code
    // page 932 lacks as "\u{hex}" (files/unicode_escape.h). Off, the same bytes
    // are literal text, as they were before the escape existed.
    bool unicodeEscapes = false;
    uint16_t itemId = 0;
    uint16_t vk = 0;
    int32_t iconImageIndex = -1;  // resolved image-list slot; never stored
    std::string text;
    std::string data;
    std::string extIconFileName;
    int32_t extIconIndex = 0;
    std::string abbreviation;  // typed anywhere, runs the item; empty for none
    // The corner an item without an id (beyond the id space) had in its file: the
    // corner table cannot hold it, but the file must be written back as it was.
    uint8_t cornerWithoutId = 0;
};

struct menuItem : itemValues {
    explicit menuItem(idAllocator* owner) : owner_(owner) {}
    menuItem(const menuItem&) = delete;
    menuItem& operator=(const menuItem&) = delete;
    // Leaves the registry, and returns the id to its range (and drops the hotkey)
    // unless the program is closing.
    ~menuItem();

private:
    friend class itemRegistry;
    friend class menuModel;  // hands an edited copy its original's id

    idAllocator* owner_;
    itemRegistry* registry_ = nullptr;  // the registry that lists the item, if any
    size_t registrySlot_ = 0;           // its place there, for O(1) removal
};

using itemRef = std::shared_ptr<menuItem>;

}  // namespace tv
