// Keys and abbreviations that ordinary typing sets off. An item that runs a
// program or opens a URL never answers to one: otherwise a data file changed
// by another program could make a typed letter start anything. Such an item is
// kept as its file has it, but its key is not registered and its abbreviation
// does not expand, and the editor gives no item such a key or abbreviation.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/menu_item.h"

namespace tv {

// Whether pressing the key types a character: a letter, a digit, a punctuation
// key, the space bar, Enter, Tab or a key of the number pad, held with neither
// Ctrl, Alt nor the Windows key (Shift alone still types). The function keys,
// Insert, Pause, the arrows and the like type nothing. vk and extKey in the
// data file's form.
bool keyTypesCharacter(uint16_t vk, uint8_t extKey);
// An abbreviation of one character is typed in passing, inside any word.
bool abbreviationTypedInPassing(std::string_view abbreviation);
// Choosing an item of this mode runs a program or opens a URL.
bool modeRunsProgram(uint8_t mode);

// What of an item's own triggers ordinary typing would set off; both false for
// every item that does not run a program.
struct typingTriggers {
    bool key = false;           // its shortcut key types a character
    bool abbreviation = false;  // its abbreviation is one character
    bool any() const { return key || abbreviation; }
};
typingTriggers typingTriggersOf(const itemValues& item);

}  // namespace tv
