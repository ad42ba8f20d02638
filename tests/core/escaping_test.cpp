// Backslash escapes of the data file and XML export, and proposed file names.
#include <gtest/gtest.h>

#include <string>

#include "files/escaping.h"

using tv::escapeMode;
using tv::escapeText;
using tv::unescapeText;

TEST(Escaping, TextFileMode) {
    EXPECT_EQ(escapeText("a\tb\r\nc\\d"), "a\\tb\\r\\nc\\\\d");
    EXPECT_EQ(escapeText("<&>\"'"), "<&>\"'");
    EXPECT_EQ(escapeText(""), "");
    // Bytes made by a replacement are not looked at again.
    EXPECT_EQ(escapeText("\\n"), "\\\\n");
    // Replacements at both ends and side by side, around runs copied whole.
    EXPECT_EQ(escapeText("\tab\r\n\\"), "\\tab\\r\\n\\\\");
}

TEST(Escaping, XmlModeAddsEntities) {
    EXPECT_EQ(escapeText("A&B <x> \"q\" 'a'", escapeMode::xml), "A&amp;B &lt;x&gt; &quot;q&quot; &apos;a&apos;");
    EXPECT_EQ(escapeText("a\r\nb\t\\", escapeMode::xml), "a\\r\\nb\\t\\\\");
    EXPECT_EQ(escapeText("&amp;", escapeMode::xml), "&amp;amp;");
}

TEST(Escaping, TrailByte5CIsNotABackslash) {
    // ソ is 83 5C and 表 is 95 5C.
    for (escapeMode mode : {escapeMode::textFile, escapeMode::xml}) {
        EXPECT_EQ(escapeText("ソ表", mode), "ソ表");
        EXPECT_EQ(escapeText("ソ\\表", mode), "ソ\\\\表");
        // A trail byte that looks like "<" or "&" belongs to its character too.
        EXPECT_EQ(escapeText("\x81<\x81&", mode), "\x81<\x81&");
    }
    EXPECT_EQ(unescapeText("ソn表t"), "ソn表t");
    EXPECT_EQ(unescapeText("ソ\\n"), "ソ\n");
    // Bytes that can be lead bytes pair up from the last character start: the
    // third 81 takes the byte after it, whatever it is.
    EXPECT_EQ(unescapeText("\x81\x81\\n"), "\x81\x81\n");
    EXPECT_EQ(unescapeText("\x81\x81\x81\\n"), "\x81\x81\x81\\n");
    EXPECT_EQ(escapeText("\x81\x81\x81\\\t"), "\x81\x81\x81\\\\t");
    EXPECT_EQ(escapeText("\x81\x81\x81\t"), "\x81\x81\x81\t");
}

TEST(Escaping, LeadByteAsLastByte) {
    const std::string cut = "ab\x83";
    EXPECT_EQ(escapeText(cut), cut);
    EXPECT_EQ(escapeText(cut, escapeMode::xml), cut);
    EXPECT_EQ(unescapeText(cut), cut);
    EXPECT_EQ(unescapeText("\\\x83"), "\\\x83") << "a backslash before a lone lead byte stays";
}

TEST(Unescaping, Sequences) {
    EXPECT_EQ(unescapeText("a\\tb\\r\\nc\\\\d"), "a\tb\r\nc\\d");
    // The produced character is not examined again.
    EXPECT_EQ(unescapeText("\\\\n"), "\\n");
    EXPECT_EQ(unescapeText("\\\\\\n"), "\\\n");
    // Unknown sequences and a final backslash stay as they are.
    EXPECT_EQ(unescapeText("\\x\\"), "\\x\\");
    EXPECT_EQ(unescapeText("\\"), "\\");
    EXPECT_EQ(unescapeText("\\tab\\r\\n"), "\tab\r\n");
}

TEST(Unescaping, RoundTripsEscapedBytes) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        if (byte < 0x81 || (byte > 0x9F && byte < 0xE0)) all += static_cast<char>(byte);
    all += "ソ表\\\\n\r\n";
    EXPECT_EQ(unescapeText(escapeText(all)), all);
}

TEST(SanitizeFileName, FullWidthReplacements) {
    EXPECT_EQ(tv::sanitizeFileName("a/b:c"), "a／b：c");
    EXPECT_EQ(tv::sanitizeFileName("\\/:\"'><?|"), "￥／：”’＞＜？｜");
    EXPECT_EQ(tv::sanitizeFileName("a*b.txt"), "a*b.txt");
    EXPECT_EQ(tv::sanitizeFileName("ソ表\\"), "ソ表￥");
    EXPECT_EQ(tv::sanitizeFileName("x\x83"), "x\x83");
}
