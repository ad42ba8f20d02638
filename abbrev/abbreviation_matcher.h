// Abbreviations typed anywhere: the last characters the user typed, and which
// item's abbreviation they end with. The keyboard hook feeds it one character
// at a time and runs the item it names, as a menu pick would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/menu_node.h"

namespace tv {

// The characters typed last, oldest first, never more than the longest
// abbreviation can need. A character is one byte, or a lead byte with its
// trail byte; suffixes are taken in whole characters only, so the trail byte
// 0x5C of ソ never ends a match for an abbreviation that starts with "\".
class typedText {
public:
    void add(std::string_view character);
    void clear();
    size_t characters() const { return widths_.size(); }
    // The last `count` characters (count <= characters()).
    std::string_view last(size_t count) const;

private:
    std::string bytes_;
    std::vector<uint8_t> widths_;  // bytes of each character, oldest first
};

// The abbreviation the typed text ended with. It names the text, not the item:
// the hit waits for the main thread, which may meanwhile read the data file
// again and rebuild the table, and then runs the item the new table has for it.
struct abbreviationHit {
    std::string abbreviation;
    size_t characters = 0;  // how many characters to take back, one Backspace each
};

// When several abbreviations end the typed text (";sg" and "sg" after ";sg"),
// the longest wins: it is the more specific one, and the shorter still expands
// after anything else. Among items with the same abbreviation the first in menu
// order wins, as the editor tells the user.
class abbreviationMatcher {
public:
    // Takes the abbreviations of the items under `root` that expand. Items are
    // not kept alive: one removed from the menu before the next rebuild simply
    // no longer expands. The typed text stays: it is still in the program it
    // was typed in, and an abbreviation typed across a rebuild is still typed.
    void rebuild(const menuNode& root);
    // Forgets every abbreviation and the typed text.
    void clear();

    // One character typed by the user (one byte, or a lead byte and its trail
    // byte). When the typed text now ends with an abbreviation, the typed text is
    // emptied, so the expansion cannot run into what is typed next. The hit
    // comes even when the item has been released since the last rebuild (a
    // reload is reading the data file): `item` tells, when it is run, which
    // item the table has for it then.
    std::optional<abbreviationHit> type(std::string_view character);
    // Each character of `text` typed in turn; the last hit, if any.
    std::optional<abbreviationHit> typeText(std::string_view text);
    // Forgets what was typed: a mouse click, another foreground window, a key that
    // moves the caret or edits the text, an input-method composition.
    void reset() { typed_.clear(); }

    bool empty() const { return byText_.empty(); }
    // The item `abbreviation` belongs to: the first in menu order that has it and
    // expands; null when there is none or it has left the menu.
    itemRef item(const std::string& abbreviation) const;

private:
    std::unordered_map<std::string, std::weak_ptr<menuItem>> byText_;
    size_t longestCharacters_ = 0;
    typedText typed_;
};

// The number of characters in a code page 932 text, as an edit control counts them.
size_t characterCount(std::string_view text);

// Whether the item of this node expands when its abbreviation is typed: never
// a folder's, nor a program item's abbreviation of one character.
bool expandsByAbbreviation(const menuNode& node);

// The first item under `root`, in menu order, that expands by `abbreviation`,
// leaving out `except` (the item being edited); null when there is none.
const menuItem* findAbbreviationHolder(const menuNode& root, std::string_view abbreviation,
                                       const menuItem* except);

// An abbreviation that never expands, and the item that expands instead: one
// earlier in menu order with the same abbreviation, or one whose shorter
// abbreviation is typed first, on the way to the longer ("b" before "abc").
struct abbreviationConflict {
    const menuItem* item;
    const menuItem* winner;
    bool sameAbbreviation;
};
std::vector<abbreviationConflict> findAbbreviationConflicts(const menuNode& root);

}  // namespace tv
