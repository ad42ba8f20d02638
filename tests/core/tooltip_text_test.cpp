// How much of a text the editor's tooltips keep: 127 bytes at most, and never
// half of a double-byte character.
#include <gtest/gtest.h>

#include <string>

#include "widgets/tooltip_text.h"

using tv::tooltipTextLength;

TEST(TooltipText, ShortTextsAreKeptWholeAndLongOnesCutAt127Bytes) {
    EXPECT_EQ(tooltipTextLength(""), 0u);
    EXPECT_EQ(tooltipTextLength("項目を削除"), 10u);
    EXPECT_EQ(tooltipTextLength(std::string(127, 'x').c_str()), 127u);
    EXPECT_EQ(tooltipTextLength(std::string(300, 'x').c_str()), 127u);
    // A lead byte with nothing after it counts as one byte.
    EXPECT_EQ(tooltipTextLength("abc\x88"), 4u);
}

TEST(TooltipText, CutNeverSplitsADoubleByteCharacter) {
    // "あ" in bytes 126 and 127 would lose its second half: cut before it.
    EXPECT_EQ(tooltipTextLength((std::string(126, 'x') + "あいう").c_str()), 126u);
    // Ending exactly at byte 127 is fine.
    EXPECT_EQ(tooltipTextLength((std::string(125, 'x') + "あいう").c_str()), 127u);
    // "亜" is 0x88 0x9F: byte 126 is its trail byte, which looks like a lead
    // byte; the character ends at 127, so nothing is dropped.
    std::string text = "a";
    for (int i = 0; i < 70; ++i) text += "亜";
    ASSERT_EQ(static_cast<unsigned char>(text[126]), 0x9F);
    EXPECT_EQ(tooltipTextLength(text.c_str()), 127u);
    EXPECT_EQ(tooltipTextLength(text.c_str() + 1), 126u);
}
