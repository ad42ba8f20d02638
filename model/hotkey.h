// An item's shortcut key as RegisterHotKey wants it. menuItem::vk is in hot-key
// control form (virtual key in the low byte, HOTKEYF_* in the high byte) and
// extKey bit 0x01 adds the Windows key.
#pragma once

#include <cstdint>

#include "model/menu_item.h"

namespace tv {

// RegisterHotKey's modifier bits (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN).
constexpr unsigned modAlt = 0x0001;
constexpr unsigned modControl = 0x0002;
constexpr unsigned modShift = 0x0004;
constexpr unsigned modWin = 0x0008;

struct hotkeyCombination {
    unsigned modifiers = 0;
    unsigned virtualKey = 0;
};

inline hotkeyCombination hotkeyOf(uint16_t vk, uint8_t extKey) {
    hotkeyCombination key;
    key.virtualKey = vk & 0xFF;
    if (vk & hotkeyControl) key.modifiers |= modControl;
    if (vk & hotkeyAlt) key.modifiers |= modAlt;
    if (vk & hotkeyShift) key.modifiers |= modShift;
    if (extKey & extKeyWin) key.modifiers |= modWin;
    return key;
}

}  // namespace tv
