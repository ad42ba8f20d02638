// The build turns the UTF-8 sources into code page 932 literals.
#include <gtest/gtest.h>

#include <string>

TEST(Charset, LiteralsAreCodePage932Bytes) {
    const std::string text = "ソ表";
    ASSERT_EQ(text.size(), 4u);
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 0x83);
    EXPECT_EQ(static_cast<unsigned char>(text[1]), 0x5C);
    EXPECT_EQ(static_cast<unsigned char>(text[2]), 0x95);
    EXPECT_EQ(static_cast<unsigned char>(text[3]), 0x5C);
}
