#include <gtest/gtest.h>

#include "model/hotkey.h"

TEST(Hotkey, ControlAltQWithTheWindowsKey) {
    tv::hotkeyCombination key = tv::hotkeyOf(0x51 | tv::hotkeyControl | tv::hotkeyAlt, tv::extKeyWin);
    EXPECT_EQ(key.virtualKey, 0x51u);
    EXPECT_EQ(key.modifiers, tv::modControl | tv::modAlt | tv::modWin);
}

TEST(Hotkey, TheExpandedBitIsNoModifier) {
    tv::hotkeyCombination key = tv::hotkeyOf(0x20 | tv::hotkeyShift, tv::extKeyExpanded);
    EXPECT_EQ(key.virtualKey, 0x20u);
    EXPECT_EQ(key.modifiers, tv::modShift);
}
