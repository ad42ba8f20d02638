// How a shortcut key is named to the user, with the key's name on this keyboard.
#pragma once

#include <cstdint>
#include <string>

namespace tv {

// "Win+Ctrl+Alt+M": the modifiers, then the key; vk and extKey in the data
// file's form.
std::string keyName(uint16_t vk, uint8_t extKey = 0);

}  // namespace tv
