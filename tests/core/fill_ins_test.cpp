// The fill-ins of phrases: the caret mark, the clipboard's text and the values asked for.
#include <gtest/gtest.h>

#include "popup/fill_ins.h"

namespace {

tv::fillInValues values(std::string clipboard = "", std::vector<std::string> answers = {}) {
    tv::fillInValues v;
    v.longDate = "2026年12月8日";
    v.time = "9:05:00";
    v.clipboard = std::move(clipboard);
    v.answers = std::move(answers);
    return v;
}

}  // namespace

TEST(FillIns, CaretMark) {
    tv::filledText filled = tv::fillIn("前%%|後", values());
    EXPECT_EQ(filled.text, "前後");
    EXPECT_TRUE(filled.hasCaretMark);
    EXPECT_EQ(filled.caretSteps, 1u);
    // Only the first mark counts; a line break is one step, and so is a double-byte character.
    filled = tv::fillIn("<p>%%|</p>\r\nソ%%|x", values());
    EXPECT_EQ(filled.text, "<p></p>\r\nソx");
    EXPECT_EQ(filled.caretSteps, 7u);
    filled = tv::fillIn("abc%%|", values());
    EXPECT_TRUE(filled.hasCaretMark);
    EXPECT_EQ(filled.caretSteps, 0u);
    EXPECT_FALSE(tv::fillIn("no mark", values()).hasCaretMark);
}

TEST(FillIns, ClipboardDateAndTimeInOnePass) {
    EXPECT_EQ(tv::fillIn("[%%c]", values("kurippu")).text, "[kurippu]");
    EXPECT_EQ(tv::fillIn("[%%c]", values()).text, "[]");  // never the mark itself
    // What is put in is not read again for marks.
    EXPECT_EQ(tv::fillIn("%%c|%%d %%t", values("%%d%%|%%?x%%")).text, "%%d%%|%%?x%%|2026年12月8日 9:05:00");
    EXPECT_EQ(tv::fillIn("%%c%%|", values("%%|")).caretSteps, 0u);
    EXPECT_TRUE(tv::usesClipboard("a%%cb"));
    EXPECT_FALSE(tv::usesClipboard("%c %%%d %%?%%c"));
    // Anything else after "%%" stays as typed.
    EXPECT_EQ(tv::fillIn("100%% %%x %%%d %", values()).text, "100%% %%x %2026年12月8日 %");
}

TEST(FillIns, LabelsAskedOnceInOrder) {
    const std::string text = "%%?お名前%%様、%%?会社%%の%%?お名前%%様%%?%%";
    EXPECT_EQ(tv::fillInLabels(text), (std::vector<std::string>{"お名前", "会社", ""}));
    EXPECT_EQ(tv::fillIn(text, values("", {"山田", "ソフト", "!"})).text, "山田様、ソフトの山田様!");
    // A missing answer is empty; an unclosed label, or one across a line break, is plain text.
    EXPECT_EQ(tv::fillIn("%%?a%%-%%?b%%", values("", {"1"})).text, "1-");
    EXPECT_TRUE(tv::fillInLabels("%%?a\r\nb%% %%?c").empty());
    EXPECT_EQ(tv::fillIn("%%?a\r\n%%|b%%", values()).text, "%%?a\r\nb%%");
}
