// Program, folder and enclose items keep two lines in their contents.
#include <gtest/gtest.h>

#include "files/item_text.h"

using tv::splitTwoLines;
using tv::caretSteps;
using tv::workingDirectoryOf;

TEST(ItemText, SplitsTheTwoLinesWhateverTheLineEnds) {
    EXPECT_EQ(splitTwoLines("C:\\Tools\\x.exe\r\n-a").first, "C:\\Tools\\x.exe");
    EXPECT_EQ(splitTwoLines("C:\\Tools\\x.exe\r\n-a").second, "-a");
    EXPECT_EQ(splitTwoLines("[b]\n[/b]").second, "[/b]");
    EXPECT_EQ(splitTwoLines("front\r\r\n\nback\r\nthird").second, "back");
    // A CR anywhere wins over an earlier LF: line 1 ends at the first CR.
    EXPECT_EQ(splitTwoLines("a\nb\rc").first, "a\nb");
}

TEST(ItemText, ContentsWithoutALineBreakHaveAnEmptySecondLine) {
    EXPECT_EQ(splitTwoLines("https://example.jp/").first, "https://example.jp/");
    EXPECT_EQ(splitTwoLines("https://example.jp/").second, "");
    EXPECT_EQ(splitTwoLines("only\r\n").second, "");
    EXPECT_EQ(splitTwoLines("").first, "");
}

TEST(ItemText, WorkingDirectoryIsThePathUpToTheLastBackslash) {
    EXPECT_EQ(workingDirectoryOf("C:\\Tools\\x.exe"), "C:\\Tools");
    EXPECT_EQ(workingDirectoryOf("https://example.jp/"), "");
    EXPECT_EQ(workingDirectoryOf("notepad.exe"), "");
}

TEST(ItemText, TrailByte5CIsNotABackslash) {
    // ソ is 83 5C and 表 is 95 5C: neither ends a folder name.
    EXPECT_EQ(workingDirectoryOf("ソ表.exe"), "");
    EXPECT_EQ(workingDirectoryOf("C:\\ソフト\\表.exe"), "C:\\ソフト");
}

TEST(ItemText, CaretStepsCountCharactersAndLineBreaks) {
    EXPECT_EQ(caretSteps(""), 0u);
    EXPECT_EQ(caretSteps("[/b]"), 4u);
    EXPECT_EQ(caretSteps("ソ表x"), 3u);            // two double-byte characters and one byte
    EXPECT_EQ(caretSteps("a\r\nb\rc\nd"), 7u);  // CR LF is one step, a lone CR or LF one each
}

// A copied text in a menu that underlines mnemonics shows every "&" it holds.
TEST(ItemText, LiteralAmpersandsShowAsTheyAre) {
    using tv::withLiteralAmpersands;
    using tv::withoutMnemonics;
    EXPECT_EQ(withLiteralAmpersands("Q&Aの資料"), "Q&&Aの資料");
    EXPECT_EQ(withLiteralAmpersands("&&&"), "&&&&&&");
    // A surrogate pair (😀) passes whole.
    EXPECT_EQ(withLiteralAmpersands(u"R&D \xD83D\xDE00&"), u"R&&D \xD83D\xDE00&&");
    for (const char* text : {"Q&Aの資料", "a&&b", "&", "ソ表&\\", "", "末尾&"})
        EXPECT_EQ(withoutMnemonics(withLiteralAmpersands(text)), text) << text;
}
