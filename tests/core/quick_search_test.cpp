// The quick search: folding, what is indexed, and the order of the results.
#include <gtest/gtest.h>

#include "files/byte_scan.h"
#include "files/item_text.h"
#include "files/unicode_escape.h"
#include "quicksearch/search_fold.h"
#include "quicksearch/search_index.h"
#include "test_support.h"

using tvtest::addItem;
using tvtest::fields;

namespace {

// The display texts of the results, in order, joined by "|".
std::string found(const tv::searchIndex& index, const std::string& query) {
    std::string shown;
    for (uint32_t i : index.find(query)) shown += (shown.empty() ? "" : "|") + index[i].display;
    return shown;
}

// An index of one phrase with this display text and content.
bool matches(const std::string& query, const std::string& text, const std::string& data = std::string()) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputDataString, text, data));
    tv::searchIndex index;
    index.addMenu(model.root);
    return !index.find(query).empty();
}

}  // namespace

TEST(QuickSearchFold, AsciiCase) {
    EXPECT_TRUE(matches("hello", "Say HELLO"));
    EXPECT_TRUE(matches("WoRlD", "world"));
    EXPECT_TRUE(matches("abc", "ＡＢＣ"));   // full-width capitals
    EXPECT_FALSE(matches("b", "あいう"));
}

TEST(QuickSearchFold, FullAndHalfWidth) {
    EXPECT_TRUE(matches("Ａ１", "a1"));
    EXPECT_TRUE(matches("(2)!", "（２）！"));
    EXPECT_TRUE(matches("ｶﾀｶﾅ", "カタカナ"));
    EXPECT_TRUE(matches("ガギ", "ｶﾞｷﾞ"));     // dakuten joined to its kana
    EXPECT_TRUE(matches("ﾊﾟﾋﾟﾌﾟ", "パピプ")); // handakuten
    EXPECT_TRUE(matches("ｳﾞｧ", "ヴァ"));
    EXPECT_FALSE(matches("ｶﾞ", "カ"));        // a voiced kana is another letter
    EXPECT_TRUE(matches("ｰ｡", "ー。"));
    EXPECT_TRUE(matches("a b", "a　b"));      // the ideographic space separates words too
}

TEST(QuickSearchFold, HiraganaAndKatakana) {
    EXPECT_TRUE(matches("かな", "カナ入力"));
    EXPECT_TRUE(matches("ミム", "みむ"));      // the katakana table skips 83 7F between ミ and ム
    EXPECT_TRUE(matches("ん", "ｻﾝ"));
    EXPECT_TRUE(matches("ぱ", "ﾊﾟ"));
    EXPECT_FALSE(matches("か", "が"));
}

TEST(QuickSearchFold, NeverMatchesInsideADoubleByteCharacter) {
    // ソ is 83 5C and 表 95 5C: their trail bytes are no backslash or "\".
    EXPECT_FALSE(matches("\\", "ソ表"));
    EXPECT_FALSE(matches("@", "\x81\x40"));  // the ideographic space 81 40: trail byte 40 is "@"
    EXPECT_TRUE(matches("\\", "C:\\ソフト"));
    EXPECT_EQ(tv::foldForSearch("ソ"), tv::foldForSearch("ｿ"));
    EXPECT_NE(tv::foldForSearch("ソ"), tv::foldForSearch("ゾ"));
}

// The index parts an entry's fields with 0x01: a query holding one is two
// words, never one word reaching from the display text into the content.
TEST(QuickSearchFold, ControlCharactersPartWords) {
    EXPECT_TRUE(matches("a b", "a\x01" "b"));
    EXPECT_TRUE(matches("b\x01" "a", "ab"));
    EXPECT_FALSE(matches("a\x01" "c", "xa", "by"));
}

TEST(QuickSearch, EveryWordMustOccurInTextContentOrPath) {
    tv::menuModel model;
    tv::menuNode& greeting = addItem(model, model.root, "挨拶");
    tv::menuNode& outside = addItem(model, greeting, "社外(&O)");
    addItem(model, outside, fields(tv::itemMode::inputDataString, "お礼", "ありがとうございました"));
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "お礼の電話", "tel"));
    tv::searchIndex index;
    index.addMenu(model.root);
    EXPECT_EQ(found(index, "お礼 社外"), "お礼");             // the folder path counts
    EXPECT_EQ(found(index, "お礼 アリガトウ"), "お礼");
    EXPECT_EQ(found(index, "  TEL　お礼 "), "お礼の電話");  // blanks around and between words
    EXPECT_EQ(found(index, "お礼 xyz"), "");
    EXPECT_EQ(found(index, "社外"), "お礼");                  // a folder is no result itself
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].path, "挨拶\t社外(O)");
}

TEST(QuickSearch, NoMatch) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "定型文", "本文"));
    tv::searchIndex index;
    index.addMenu(model.root);
    EXPECT_EQ(found(index, "定型文x"), "");
    EXPECT_EQ(found(index, "型本"), "");  // no hit across the display text and the content
    EXPECT_EQ(found(index, "x"), "");
}

TEST(QuickSearch, EachEntryIsSearchedOnItsOwnToItsLastByte) {
    tv::menuModel model;
    tv::menuNode& folder = addItem(model, model.root, "ab");
    addItem(model, folder, fields(tv::itemMode::inputDataString, "first", "zz zz zz"));
    tv::itemFields next = fields(tv::itemMode::inputDataString, "second", "qq");
    next.abbreviation = "cd";
    addItem(model, model.root, next);
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "third", "xyq"));
    tv::searchIndex index;
    index.addMenu(model.root);
    EXPECT_EQ(found(index, "bcd"), "");                  // the first entry's path, the next one's abbreviation
    EXPECT_EQ(found(index, "zz"), "first");              // found three times in it, listed once
    EXPECT_EQ(found(index, "q"), "second|third");        // an entry's last byte, the whole text's last byte
    EXPECT_EQ(found(index, "q cd"), "second");           // a later word anywhere in the entry
    EXPECT_EQ(found(index, "irs zz"), "first");
    EXPECT_EQ(found(index, "yqq"), "");
}

// The byte searches look at many bytes at a time: a byte at any place, first or
// last of a block, is found, and none beyond the end given.
TEST(QuickSearch, ByteSearchesFindEveryPlace) {
    for (size_t at = 0; at < 150; ++at) {
        std::string text(160, 'a');
        text[at] = 'x';
        text[at + 3] = 'y';
        const char* begin = text.data();
        auto place = [&](const char* found) { return static_cast<size_t>(found - begin); };
        EXPECT_EQ(place(tv::findByte(begin, begin + 150, 'x')), at);
        EXPECT_EQ(place(tv::findByte(begin + at + 1, begin + 150, 'x')), 150u);
        EXPECT_EQ(place(tv::findByte(begin, begin + at, 'x')), at);  // the end: not found before it
        EXPECT_EQ(place(tv::findPair(begin, begin + 150, 'x', 'y', 3)), at);
        EXPECT_EQ(place(tv::findPair(begin, begin + 150, 'x', 'y', 2)), 150u);
        EXPECT_EQ(place(tv::findPair(begin, begin + at, 'x', 'y', 3)), at);
    }
}

TEST(QuickSearch, TypingOnKeepsTheOrderOfAFreshSearch) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "xa", "b"));
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "b", "xa"));
    tv::searchIndex index;
    index.addMenu(model.root);
    EXPECT_EQ(found(index, "b"), "b|xa");
    EXPECT_EQ(found(index, "b x"), "xa|b");  // both now hold a word outside the name only
    EXPECT_EQ(found(index, "b xa"), "xa|b");
    EXPECT_EQ(found(index, "b xaz"), "");
    EXPECT_EQ(found(index, "b"), "b|xa");
}

TEST(QuickSearch, OnlyItemsThatDoSomethingAreIndexed) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputString, "メニュー"));  // stands in for the root's item
    model.root.item = model.root.children[0].item;
    model.root.children.clear();
    addItem(model, model.root, fields(tv::itemMode::hSeparater, "-横線-"));
    addItem(model, model.root, fields(tv::itemMode::vSeparater, "|縦線|"));
    addItem(model, model.root, fields(tv::itemMode::insertFront, "x"));
    addItem(model, model.root, fields(tv::itemMode::clipBoardHistory, "クリップボード履歴(&C)"));
    addItem(model, model.root, fields(tv::itemMode::folderPopup, "Vossel"));
    addItem(model, model.root, fields(tv::itemMode::folderPopup, "Cドライブ", "C:\\"));
    addItem(model, model.root, fields(tv::itemMode::exeProgram, "メモ帳", "notepad.exe"));
    addItem(model, model.root, fields(tv::itemMode::dateTimeExt, "%Y/%m/%d"));
    addItem(model, model.root, fields(tv::itemMode::exit, "終了(&X)"));
    tv::historyList history(model);
    history.appendEntry("新しい");
    history.appendEntry("古い\\r\\n2行目");
    tv::searchIndex index;
    index.addMenu(model.root);
    index.addHistory(history);
    EXPECT_EQ(found(index, ""), "Vossel|Cドライブ|メモ帳|%Y/%m/%d|終了(X)|新しい|古い\\r\\n2行目");
    EXPECT_TRUE(index[6].fromHistory);
    EXPECT_EQ(index[6].preview, "古い 2行目");
    EXPECT_EQ(index[5].preview, "");  // a one-line clip is shown once
    EXPECT_EQ(found(index, "2行目 古い"), "古い\\r\\n2行目");
}

TEST(QuickSearch, RankingStartThenContainsThenContentPhrasesFirst) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "返信", "ご連絡ありがとう"));
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "お礼の連絡", "x"));
    tv::menuNode& folder = addItem(model, model.root, "連絡先");
    addItem(model, folder, fields(tv::itemMode::inputDataString, "自宅", "03-0000"));
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "連絡します", "y"));
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "レンラク帳", "z"));
    tv::historyList history(model);
    history.appendEntry("連絡ください");  // newest
    history.appendEntry("また連絡");
    tv::searchIndex index;
    index.addMenu(model.root);
    index.addHistory(history);
    EXPECT_EQ(found(index, "連絡"),
              "連絡します|連絡ください|お礼の連絡|また連絡|返信|自宅");
    EXPECT_EQ(found(index, "れんらく"), "レンラク帳");
    // With several words the first one decides the start; all must be in the text.
    EXPECT_EQ(found(index, "連絡 お礼"), "お礼の連絡");
    EXPECT_EQ(found(index, "ます 連絡"), "連絡します");
}

// An abbreviation counts as part of the item's name, and the entry carries it to be shown.
TEST(QuickSearch, AbbreviationsAreFoundAsNames) {
    tv::menuModel model;
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "返事", "sg と書く"));
    tv::itemFields f = fields(tv::itemMode::inputDataString, "署名", "--");
    f.abbreviation = ";SG";
    addItem(model, model.root, f);
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "sgの説明", "x"));
    f = fields(tv::itemMode::inputDataString, "sg2", "y");
    f.abbreviation = "xsg";
    addItem(model, model.root, f);
    tv::searchIndex index;
    index.addMenu(model.root);
    EXPECT_EQ(found(index, ";sg"), "署名");
    // Starting the display text or the abbreviation ranks first, holding it second.
    EXPECT_EQ(found(index, "sg"), "sgの説明|sg2|署名|返事");
    EXPECT_EQ(found(index, "xs"), "sg2");
    EXPECT_EQ(index[index.find(";sg")[0]].abbreviation, ";SG");
    EXPECT_EQ(index[index.find("説明")[0]].abbreviation, "");
}

TEST(QuickSearch, DisplayTextsAndPreviews) {
    EXPECT_EQ(tv::withoutMnemonics("設定(&S)"), "設定(S)");
    EXPECT_EQ(tv::withoutMnemonics("A&&B&"), "A&B");
    EXPECT_EQ(tv::oneLinePreview("\r\n前文\r\n\t本文\n", 100), "前文 本文");
    EXPECT_EQ(tv::oneLinePreview("あいう", 5), "あい");  // never half a character
    EXPECT_EQ(tv::oneLinePreview("", 5), "");
}

// Texts beyond code page 932: a history entry's and a phrase's content are
// searched in full, by a query the code page holds (as typed before) or not.
TEST(QuickSearch, TextsBeyondCodePage932) {
    tv::menuModel model;
    tv::itemFields f = fields(tv::itemMode::inputDataString, "カフェ");
    tv::codePageText content = tv::contentFromUtf16(u"Caf\u00E9 \u00C9LAN\r\n\u00A5100 \u30F4\u30A1");
    f.data = content.bytes;
    f.unicodeEscapes = content.unicodeEscapes;
    addItem(model, model.root, f);
    addItem(model, model.root, fields(tv::itemMode::inputDataString, "\\u{D55C}", "\\u{1F600}"));  // literal bytes
    tv::historyList history(model);
    const std::u16string clip = u"絵文字\U0001F600と\U00020BB7野家と\uD55C\uAD6D\uC5B4";
    history.appendEntry(tv::escapedFromUtf16(clip).bytes, true);
    tv::searchIndex index;
    index.addMenu(model.root);
    index.addHistory(history);
    auto found16 = [&](const std::u16string& query) {
        std::string shown;
        for (uint32_t i : index.find(query)) shown += (shown.empty() ? "" : "|") + index[i].display.substr(0, 6);
        return shown;
    };
    EXPECT_EQ(found(index, "野家").substr(0, 6), "絵文字");  // the code page's own query still finds it
    EXPECT_EQ(found16(u"野家"), "絵文字");
    EXPECT_EQ(found16(u"\uD55C\uAD6D"), "絵文字");
    EXPECT_EQ(found16(u"\U0001F600と\U00020BB7 \uD55C\uAD6D\uC5B4"), "絵文字");
    EXPECT_EQ(found16(u"\uAD6D\uD55C"), "");
    EXPECT_EQ(found16(u"u{1f600}"), "\\u{D55");  // an escape is no text of the entry's
    EXPECT_EQ(found16(u"caf\u00C9 \u00E9lan"), "カフェ");  // accented capitals fold
    EXPECT_EQ(found16(u"￥100 \u3094ぁ"), "カフェ");         // ¥ as ￥, ゔ as ヴ
    EXPECT_EQ(found(index, "ｳﾞｧ"), "カフェ");
    ASSERT_EQ(index.size(), 3u);
    EXPECT_TRUE(index[2].unicode);
    EXPECT_EQ(index[2].unicodeDisplay, clip);
    EXPECT_EQ(index[2].unicodePreview, u"");  // one line: shown once
    EXPECT_EQ(index[0].unicodePreview, u"Caf\u00E9 \u00C9LAN \u00A5100 \u30F4\u30A1");
    EXPECT_FALSE(index[1].unicode);
    EXPECT_EQ(tv::oneLinePreview(u"a\U0001F600", 2), u"a");  // never half a surrogate pair
}
