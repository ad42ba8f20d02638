// The editor's per-mode texts: what a mode change does to the display text, and
// the help text of the root entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/mode_texts.h"
#include "files/cp932.h"

using namespace tv;

namespace {

// The display text after switching an item through the modes in turn.
std::string afterSwitches(std::string text, const std::vector<uint8_t>& modes) {
    for (uint8_t mode : modes)
        if (auto replaced = replacedDisplayText(mode, text)) text = *replaced;
    return text;
}

}  // namespace

TEST(ModeTexts, ModeChangeReplacesOnlyTextsTheUserHasNotWritten) {
    const std::string dateDefault = "%Y年%m月%d日(%A %a %f曜日) %p %I(%H):%M:%S (%b %B %y)";
    EXPECT_EQ(afterSwitches("New", {3}), "-横線-");
    EXPECT_EQ(afterSwitches("New", {3, 10}), "終了(&X)");
    EXPECT_EQ(afterSwitches("", {9}), "履歴編集(&E)");
    EXPECT_EQ(afterSwitches("New", {14}), "Vossel");
    EXPECT_EQ(afterSwitches("-横線-", {12}), dateDefault);
    EXPECT_EQ(afterSwitches(dateDefault, {11}), "履歴消去");
    EXPECT_EQ(afterSwitches("New", {6, 7}), "クリップボード履歴(&C)") << "the empty default of 6 stays replaceable";
    for (uint8_t mode : {0, 1, 2, 13, 15, 255})
        EXPECT_EQ(afterSwitches("New", {mode}), "New") << "mode " << int(mode);
    for (const std::string text : {"メモ", "New ", "new", "-横線- ", "表示"})
        EXPECT_EQ(afterSwitches(text, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14}), text);
    EXPECT_EQ(modeListText(editorModeCount), nullptr);
    EXPECT_EQ(defaultDisplayText(16), nullptr);
}

TEST(ModeTexts, RootHelpTextIsWellFormedAndComplete) {
    const std::string& help = rootHelpText();
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < help.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(help[i]);
        if (isLeadByte(byte)) {  // its trail byte may be 0x5C, as in 表 and 能
            ASSERT_LT(i + 1, help.size()) << "lone lead byte at the end";
            unsigned char trail = static_cast<unsigned char>(help[i + 1]);
            ASSERT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << "bad trail byte at " << i + 1;
            lines.back() += help.substr(i++, 2);
        } else if (byte == '\r' || byte == '\n') {
            ASSERT_EQ(help.compare(i, 2, "\r\n"), 0) << "not a CR LF at " << i;
            lines.emplace_back();
            ++i;
        } else {
            lines.back() += help[i];
        }
    }
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "※この項目は，ショートカットキーとマウスの位置のみ設定できます");
    EXPECT_EQ(lines[1], "");

    // Sections in order, each after an empty line; everything else is indented.
    const std::vector<std::string> headings = {"特殊文字：", "起動ランチャとしての便利な使い方：",
                                               "フォルダの作り方：", "日付・時刻拡張時の特殊文字："};
    size_t found = 0;
    std::string dateSection;
    for (size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (found < headings.size() && line == headings[found]) {
            EXPECT_EQ(lines[i - 1], "") << "before " << line;
            ++found;
        } else if (!line.empty()) {
            EXPECT_TRUE(found > 0 && (line.rfind("  ", 0) == 0 || line.rfind("　　", 0) == 0)) << line;
            if (found == headings.size()) dateSection += "\n" + line.substr(line[0] == ' ' ? 2 : 4);
        }
    }
    EXPECT_EQ(found, headings.size()) << "headings missing or out of order";
    for (const char* code : {"%a", "%A", "%f", "%b", "%B", "%c", "%d", "%H", "%I", "%j", "%m", "%M",
                             "%p", "%S", "%U", "%w", "%W", "%x", "%X", "%y", "%Y", "%z", "%%"})
        EXPECT_NE(dateSection.find(std::string("\n") + code), std::string::npos) << "no line for " << code;
    EXPECT_NE(dateSection.find("%Z"), std::string::npos);
    for (const char* typed : {"\\t が", "\\r\\n が", "\\\\ が"})  // as the user types them
        EXPECT_NE(help.find(typed), std::string::npos) << typed;
}
