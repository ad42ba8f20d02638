// Text beyond code page 932: the one conversion, the \u{hex} escape of contents
// in the data file, and the history's companion of clips.dat.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "cliphistory/history_file.h"
#include "files/atomic_file.h"
#include "files/code_page.h"
#include "files/menu_file.h"
#include "files/unicode_escape.h"
#include "tests/core/test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using namespace tv;

std::string plain(std::u16string_view text, bool expectComplete = true) {
    std::string out;
    EXPECT_EQ(utf16ToCodePage932(text, out), expectComplete) << utf16ToUtf8(text);
    return out;
}

std::string encodedPair(uint32_t codePoint) {
    std::string out;
    appendCodePage932(codePoint, out);
    return out;
}

TEST(CodePage932, CharactersInTwoFormsAndTheYenSign) {
    const std::pair<std::u16string, std::string> forms[] = {
        {u"\u301C\uFF5E", "\x81\x60\x81\x60"},  {u"\u2016\u2225", "\x81\x61\x81\x61"},
        {u"\u2212\uFF0D", "\x81\x7C\x81\x7C"},  {u"\u2014\u2015", "\x81\x5C\x81\x5C"},
        {u"\u00A2\u00A3\u00AC", "\x81\x91\x81\x92\x81\xCA"},
    };
    for (const auto& [text, bytes] : forms) EXPECT_EQ(plain(text), bytes) << utf16ToUtf8(text);
    // ¥ is never the backslash: full-width in plain text, its escape in a content.
    EXPECT_EQ(plain(u"\u00A5"), "\x81\x8F");
    EXPECT_EQ(contentFromUtf16(u"C:\u00A5").bytes, "C:\\u{A5}");
    // What the code page lacks is one "?" per UTF-16 unit, as Windows writes it.
    EXPECT_EQ(plain(u"a\U0001F600\uD55C", false), "a???");
    // A display text refuses the first such character by name; ¥ it holds.
    EXPECT_EQ(firstLackingInPlainText(u"a\u00A5\U0001F600\uD55C"), 0x1F600u);
    EXPECT_EQ(firstLackingInPlainText(u"\u00A5\u301C"), 0u);
    EXPECT_EQ(codePage932ToUtf16("\x81\x60\x83\x5C\xA6\x80\xA0"), u"\uFF5E\u30BD\uFF66\u0080\uF8F0");
}

// Every byte string Windows writes reads as characters that write back as the
// same bytes; only the copies NEC and IBM made of other pairs come back as the
// pair Windows prefers.
TEST(CodePage932, BytesRoundTripThroughUnicode) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (byte >= 0x81 && byte <= 0x9F) continue;
        if (byte >= 0xE0 && byte <= 0xFC) continue;
        const std::string single(1, static_cast<char>(byte));
        EXPECT_EQ(plain(codePage932ToUtf16(single)), single) << byte;
    }
    size_t preferredCopies = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            std::u16string text = codePage932ToUtf16(pair);
            if (text == u"\u30FB" && pair != "\x81\x45") continue;  // unassigned
            std::string back = plain(text);
            if (back == pair) continue;
            ++preferredCopies;
            EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA) << std::hex << lead << trail;
            EXPECT_EQ(codePage932ToUtf16(back), text);
        }
    }
    EXPECT_EQ(preferredCopies, 398u);
    EXPECT_EQ(encodedPair(0x7E8A), "\xFA\x5C");  // 纊: IBM's pair, not NEC's copy ED 40
    EXPECT_EQ(encodedPair(0x2252), "\x81\xE0");  // ≒: the standard row, not NEC's 87 90
    EXPECT_EQ(encodedPair(0x2160), "\x87\x54");  // Ⅰ: NEC's row 13, not IBM's FA 4A
}

#ifdef _WIN32
// Windows' own converter gives the same bytes for every character it converts
// exactly, and reads every pair the same; only the second forms are added.
TEST(CodePage932, AgreesWithWindows) {
    const std::vector<uint32_t> secondForms{0x00A2, 0x00A3, 0x00AC, 0x2014, 0x2016, 0x2212, 0x301C};
    for (uint32_t codePoint = 1; codePoint < 0x10000; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
        wchar_t wide = static_cast<wchar_t>(codePoint);
        char bytes[4];
        BOOL usedDefault = FALSE;
        int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 4, nullptr, &usedDefault);
        std::string windows = length > 0 && !usedDefault ? std::string(bytes, static_cast<size_t>(length)) : "";
        bool second = std::find(secondForms.begin(), secondForms.end(), codePoint) != secondForms.end();
        if (!second) {
            EXPECT_EQ(encodedPair(codePoint), windows) << std::hex << codePoint;
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (unsigned trail = 1; trail < 256; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t wide[4];
            int length = MultiByteToWideChar(932, 0, pair, 2, wide, 4);
            std::u16string windows(reinterpret_cast<const char16_t*>(wide), static_cast<size_t>(length));
            EXPECT_EQ(codePage932ToUtf16(std::string(pair, 2)), windows) << std::hex << lead << ' ' << trail;
        }
    }
}
#endif

// Contents as the editor will set them: the escape appears only when needed,
// and a literal backslash that would read as one is kept apart from it.
TEST(UnicodeEscape, ContentRoundTrip) {
    const std::pair<std::u16string, std::string> contents[] = {
        {u"\U0001F600", "\\u{1F600}"},
        {u"C:\\temp \uD55C", "C:\\temp \\u{D55C}"},
        {u"\\u{41} \U00020BB7", "\\u{5C}u{41} \\u{20BB7}"},
        {u"10\u6642\u301C12\u6642 \u00A5", "10\x8E\x9E\x81\x60" "12\x8E\x9E \\u{A5}"},
    };
    for (const auto& [text, bytes] : contents) {
        codePageText content = contentFromUtf16(text);
        EXPECT_TRUE(content.unicodeEscapes);
        EXPECT_EQ(content.bytes, bytes);
        std::u16string back = contentToUtf16(content.bytes, true);
        EXPECT_EQ(back, text == contents[3].first ? u"10\u6642\uFF5E12\u6642 \u00A5" : text);
    }
    // What the code page holds is left exactly as it was, escape-like text included.
    codePageText plainContent = contentFromUtf16(u"\\u{41}\u30BD");
    EXPECT_FALSE(plainContent.unicodeEscapes);
    EXPECT_EQ(plainContent.bytes, "\\u{41}\x83\x5C");
    EXPECT_EQ(contentToUtf16(plainContent.bytes, false), u"\\u{41}\u30BD");
}

// The data file keeps contents beyond code page 932 in column 2, and reads
// everything that is not a well-formed escape exactly as before.
TEST(UnicodeEscape, DataFileColumn) {
    menuModel model;
    for (const std::u16string text : {u"\U0001F600\r\n\t\\u{41}\\", u"\u00A5 and \\x"}) {
        codePageText content = contentFromUtf16(text);
        itemFields f = tvtest::fields(itemMode::inputDataString, "e", content.bytes);
        f.unicodeEscapes = content.unicodeEscapes;
        tvtest::addItem(model, model.root, f);
    }
    stringSink file;
    formatMenuFile(model, model.root, menuExtent::wholeMenu, file);
    EXPECT_NE(file.text.find("\te\t\\u{1F600}\\r\\n\\t\\\\u{41}\\\\\t"), std::string::npos) << file.text;
    EXPECT_NE(file.text.find("\te\t\\u{A5} and \\\\x\t"), std::string::npos) << file.text;
    menuModel again;
    readReport report = parseMenuText(again, file.text, again.root, readTarget::runningMenu);
    ASSERT_EQ(again.root.childCount(), 2u);
    EXPECT_EQ(contentToUtf16(again.root.children[0].item->data, again.root.children[0].item->unicodeEscapes),
              u"\U0001F600\r\n\t\\u{41}\\");
    stringSink rewritten;
    formatMenuFile(again, again.root, menuExtent::wholeMenu, rewritten);
    EXPECT_EQ(rewritten.text, file.text);
    EXPECT_TRUE(report.malformedEscapeLines.empty());

    // Malformed escapes, and a doubled backslash, are literal text as they always were.
    const std::string columns[] = {"\\u{}", "\\u{D800}", "\\u{110000}", "\\u{1234567}", "a\\u{12", "\\u{0}",
                                   "\\\\u{41}"};
    std::string text = tvtest::headerLiteral + "\r\n";
    for (const std::string& column : columns) text += "1\tm\t" + column + "\r\n";
    text += "1\th\t\\u{3042}\\u{301C}\r\n";
    report = parseMenuText(again, text, again.root, readTarget::runningMenu);
    EXPECT_EQ(report.malformedEscapeLines, (std::vector<size_t>{2, 3, 4, 5, 6, 7}));
    for (size_t i = 0; i < std::size(columns); ++i) {
        EXPECT_EQ(again.root.children[i].item->data, unescapeText(columns[i])) << columns[i];
        EXPECT_FALSE(again.root.children[i].item->unicodeEscapes) << columns[i];
    }
    // An escape of a character the code page holds reads as that character.
    EXPECT_EQ(again.root.children.back().item->data, "\x82\xA0\x81\x60");
    EXPECT_FALSE(again.root.children.back().item->unicodeEscapes);
}

TEST(UnicodeEscape, Utf8DataFileContents) {
    const std::string file = u8"0\tメニュー\r\n1\t10時〜12時 ¥\t\U0001F600 10時〜12時 ¥\\\\u{41}\t0\t0\t0\t\t0\r\n";
    menuModel model;
    readReport report = parseMenuText(model, file, model.root, readTarget::runningMenu);
    ASSERT_EQ(report.status, readStatus::loaded);
    const menuItem& item = *model.root.children.at(0).item;
    EXPECT_EQ(item.text, "10\x8E\x9E\x81\x60" "12\x8E\x9E \x81\x8F");
    EXPECT_TRUE(item.unicodeEscapes);
    EXPECT_EQ(utf16ToUtf8(contentToUtf16(item.data, true)), u8"\U0001F600 10時～12時 ¥\\u{41}");
}

// The history: a clip the code page holds is recorded exactly as before; one it
// cannot hold keeps its characters, in memory and through the companion.
struct unicodeHistoryFixture : ::testing::Test {
    tvtest::scratchDir folder;
    menuModel model;
    historyList list{model};
    const std::string path = folder.file("clips.dat");

    void capture(std::u16string_view text) {
        list.queueClip(text);
        list.addPendingClip(false);
    }
    std::vector<std::u16string> texts(const historyList& from) const {
        std::vector<std::u16string> out;
        for (const auto& entry : from.entries()) out.push_back(historyTextToUtf16(*entry));
        return out;
    }
    std::vector<std::u16string> loadedTexts() {
        menuModel other;
        historyList loaded(other);
        EXPECT_TRUE(loadHistoryFile(path, loaded));
        return texts(loaded);
    }
};
using UnicodeHistory = unicodeHistoryFixture;

TEST_F(UnicodeHistory, CapturesAndTheCompanion) {
    capture(u"a\t\u30BD\uFF5E");
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.entries()[0]->text, "a\\t\x83\x5C\x81\x60");
    EXPECT_FALSE(list.entries()[0]->unicodeEscapes);
    ASSERT_TRUE(saveHistoryFile(path, list));
    EXPECT_FALSE(tvtest::fs::exists(folder.file("clips.u8")));

    capture(u"\U0001F600");
    capture(u"\U0001F389");
    capture(u"\U0001F600");  // moves to the front; the other emoji is not taken for it
    capture(u"\u7D75\u6587\u5B57\U0001F600\u3068\U00020BB7\u91CE\u5BB6\u3068\uD55C\uAD6D\uC5B4");
    ASSERT_EQ(list.count(), 4u);
    ASSERT_TRUE(saveHistoryFile(path, list));
    const std::string bytes = tvtest::readBytes(path);
    EXPECT_EQ(bytes, encodeHistory(list));
    EXPECT_NE(bytes.find("\x8A\x47\x95\xB6\x8E\x9A??\x82\xC6??\x96\xEC\x89\xC6\x82\xC6???"), std::string::npos);
    EXPECT_EQ(loadedTexts(), texts(list));
    EXPECT_EQ(historyCompanionPath("a.b/clips"), "a.b/clips.u8");

    // Edit-dialog labels count a character beyond the code page as its "?"s,
    // and never split a surrogate pair.
    std::u16string emoji;
    for (int i = 0; i < 40; ++i) emoji += u"\U0001F600";
    capture(u"a" + emoji);
    EXPECT_EQ(historyEditLabelUtf16(*list.entries()[0]), u"a" + emoji.substr(0, 78) + u"...");
    setHistoryText(*list.entries()[0], u"\t" + emoji.substr(0, 76));
    EXPECT_EQ(historyEditLabelUtf16(*list.entries()[0]), u"\\t" + emoji.substr(0, 76));
    EXPECT_EQ(historyEditLabelUtf16(*list.entries()[1]), u"\u7D75\u6587\u5B57\U0001F600\u3068\U00020BB7\u91CE"
                                                          u"\u5BB6\u3068\uD55C\uAD6D\uC5B4");
    list.removeEntry(list.entries()[0].get());

    // Trimmed down to what the code page holds, the companion goes.
    list.counts = 1;
    capture(u"a\t\u30BD\uFF5E");
    ASSERT_TRUE(saveHistoryFile(path, list));
    EXPECT_FALSE(tvtest::fs::exists(folder.file("clips.u8")));
    capture(u"\U0001F600");
    ASSERT_TRUE(saveHistoryFile(path, list));
    EXPECT_TRUE(removeHistoryFiles(path));
    EXPECT_TRUE(folder.names().empty());
}

// A missing, damaged or foreign companion leaves entries in their code page 932
// form, never with another entry's text.
TEST_F(UnicodeHistory, CompanionMismatchAndDamage) {
    capture(u"\U0001F389");
    capture(u"x\U0001F600");
    capture(u"\U0001F600");
    ASSERT_TRUE(saveHistoryFile(path, list));
    const std::vector<std::u16string> whole = texts(list);
    const std::vector<std::u16string> fallback{u"??", u"x??", u"??"};
    const std::string companionPath = folder.file("clips.u8");
    const std::string companion = tvtest::readBytes(companionPath);
    const std::string clips = tvtest::readBytes(path);

    tvtest::fs::remove(companionPath);
    EXPECT_EQ(loadedTexts(), fallback);

    // One damaged line costs only its own entry.
    std::string damaged = companion;
    damaged[damaged.rfind("\xF0\x9F\x8E\x89") + 3] ^= 1;
    tvtest::writeBytes(companionPath, damaged);
    EXPECT_EQ(loadedTexts(), (std::vector<std::u16string>{whole[0], whole[1], u"??"}));
    tvtest::writeBytes(companionPath, companion.substr(0, companion.size() - 9));
    EXPECT_EQ(loadedTexts(), (std::vector<std::u16string>{whole[0], whole[1], u"??"}));
    tvtest::writeBytes(companionPath, "\xFF" + companion.substr(1));
    EXPECT_EQ(loadedTexts(), fallback);

    // Another program moved an entry: the companion no longer belongs to the file.
    tvtest::writeBytes(companionPath, companion);
    const std::string swapped = clips.substr(0, 2) + clips.substr(6, 5) + clips.substr(2, 4) + clips.substr(11);
    ASSERT_EQ(swapped.size(), clips.size());
    tvtest::writeBytes(path, swapped);
    EXPECT_EQ(loadedTexts(), (std::vector<std::u16string>{u"x??", u"??", u"??"}));
    historyDecodeReport report = decodeHistory(swapped, list, companion);
    EXPECT_EQ(report.companion, companionState::otherFile);
    EXPECT_EQ(report.restoredTexts, 0u);
}

// Look-alikes are not the characters copied: 〜 − — ‖ ¥ ¢ £ ¬ come back as
// they were, with clips.dat keeping their code page 932 look-alikes.
TEST_F(UnicodeHistory, LookAlikesComeBackAsCopied) {
    const std::vector<std::u16string> copied{u"10\u6642\u301C12\u6642", u"\u22125", u"a\u2014b", u"\u2016",
                                             u"\u00A5100", u"\u00A2\u00A3\u00AC", u"\uFF5E\uFF0D"};
    for (const std::u16string& text : copied) capture(text);
    ASSERT_TRUE(saveHistoryFile(path, list));
    std::vector<std::u16string> newestFirst(copied.rbegin(), copied.rend());
    EXPECT_EQ(texts(list), newestFirst);
    EXPECT_EQ(loadedTexts(), newestFirst);
    EXPECT_FALSE(list.entries()[0]->unicodeEscapes) << "full-width forms the code page has stay as they were";
    EXPECT_NE(tvtest::readBytes(path).find("10\x8E\x9E\x81\x60" "12\x8E\x9E"), std::string::npos);
}

// The companion is written first and serves the clips.dat it replaces as well:
// a save stopped between the two files, or by a write that fails in either,
// leaves every entry that was there with its text.
TEST_F(UnicodeHistory, ASaveStoppedBetweenTheFilesLosesNoText) {
    capture(u"\U0001F600 first");
    capture(u"\u00A5 second");
    capture(u"plain");
    ASSERT_TRUE(saveHistoryFile(path, list));
    const std::vector<std::u16string> before = texts(list);

    // One added (the others move down), one rotated out, one edited away.
    list.counts = 3;
    capture(u"\uD55C\uAD6D\uC5B4 new");
    ASSERT_EQ(list.count(), 3u);
    bool stopped = false;
    ASSERT_TRUE(saveHistoryFile(path, list, [&] {
        stopped = true;
        EXPECT_EQ(loadedTexts(), before) << "the replaced clips.dat keeps every text";
    }));
    EXPECT_TRUE(stopped);
    EXPECT_EQ(loadedTexts(), texts(list));

    // Stopped once more while the newest, Unicode entry goes and the rest stay.
    const std::vector<std::u16string> second = texts(list);
    list.removeEntry(list.entries()[0].get());
    setHistoryText(*list.entries()[1], u"edited \U0001F389");
    ASSERT_TRUE(saveHistoryFile(path, list, [&] { EXPECT_EQ(loadedTexts(), second); }));
    EXPECT_EQ(loadedTexts(), texts(list));

    // The first form of the companion, as older copies wrote it, is still read.
    const std::string clips = tvtest::readBytes(path);
    const std::string v1 = "TolvaneClipsU8\t1\t" + historyFileCheck(clips) + "\r\n";
    std::string companion = tvtest::readBytes(folder.file("clips.u8"));
    std::string lines;
    for (size_t pos = companion.find("\r\n") + 2; pos < companion.size();) {
        size_t end = companion.find("\r\n", pos);
        std::string line = companion.substr(pos, end - pos);
        size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        if (line.substr(0, tab) != "-") lines += line.substr(0, tab) + line.substr(tab2) + "\r\n";
        pos = end + 2;
    }
    tvtest::writeBytes(folder.file("clips.u8"), v1 + lines);
    EXPECT_EQ(loadedTexts(), texts(list));

    // A write that fails leaves clips.dat, and so every text, as it was.
    const std::vector<std::u16string> third = texts(list);
    capture(u"\U0001F680 lost");
    for (size_t failing : {0, 1}) {
        size_t writes = 0;
        atomicFile::setWriteFaultHookForTesting([&](size_t, size_t) { return writes++ != failing; });
        EXPECT_FALSE(saveHistoryFile(path, list));
        atomicFile::setWriteFaultHookForTesting(nullptr);
        EXPECT_EQ(loadedTexts(), third);
    }
}

}  // namespace
