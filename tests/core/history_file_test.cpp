// clips.dat: exact bytes, damaged files, the 16-bit limits, the files on disk
// and when a save writes, deletes or does nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cliphistory/history_file.h"
#include "files/atomic_file.h"
#include "tests/core/test_support.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

struct historyFileFixture : ::testing::Test {
    tv::menuModel model;  // declared first: the list's entries report to its allocator
    tv::historyList list{model};

    void capture(const std::string& text) {
        list.queueClip(text);
        list.addPendingClip(false);
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& entry : list.entries()) out.push_back(entry->text);
        return out;
    }
};

using HistoryFileFormat = historyFileFixture;

TEST_F(HistoryFileFormat, EmptyHistoryIsTwoZeroBytes) {
    EXPECT_EQ(tv::encodeHistory(list), bytesOf({0x00, 0x00}));
}

TEST_F(HistoryFileFormat, SingleText) {
    capture("abc");
    EXPECT_EQ(tv::encodeHistory(list), bytesOf({0x01, 0x00, 0x03, 0x00, 0x61, 0x62, 0x63}));
}

TEST_F(HistoryFileFormat, TabIsStoredEscaped) {
    capture("a\tb");
    EXPECT_EQ(tv::encodeHistory(list), bytesOf({0x01, 0x00, 0x04, 0x00, 'a', '\\', 't', 'b'}));
}

TEST_F(HistoryFileFormat, EntriesNewestFirstWithLittleEndianLengths) {
    capture(std::string(300, 'x'));
    capture("ソ");
    std::string bytes = tv::encodeHistory(list);
    ASSERT_EQ(bytes.size(), 2u + 2u + 2u + 2u + 300u);
    EXPECT_EQ(bytes.substr(0, 6), bytesOf({0x02, 0x00, 0x02, 0x00, 0x83, 0x5C}));
    EXPECT_EQ(bytes.substr(6, 2), bytesOf({0x2C, 0x01}));
}

TEST_F(HistoryFileFormat, RoundTripKeepsTextsAndOrder) {
    capture("line1\r\nline2");
    capture("表\\ソ");
    capture("");  // not recorded, so never written as an entry of length 0
    std::string bytes = tv::encodeHistory(list);

    tv::menuModel otherModel;
    tv::historyList loaded(otherModel);
    tv::historyDecodeReport report = tv::decodeHistory(bytes, loaded);
    EXPECT_FALSE(report.truncated);
    EXPECT_EQ(report.emptyEntries, 0u);
    std::vector<std::string> loadedTexts;
    for (const auto& entry : loaded.entries()) loadedTexts.push_back(entry->text);
    EXPECT_EQ(loadedTexts, (std::vector<std::string>{"表\\\\ソ", "line1\\r\\nline2"}));
}

using HistoryFileDecode = historyFileFixture;

TEST_F(HistoryFileDecode, EmptyEntriesLoadAsNothing) {
    // Length 0, and a text that its zero byte leaves empty; then "a" cut at its zero.
    std::string bytes = bytesOf({0x03, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 'x', 0x02, 0x00, 'a', 0x00});
    tv::historyDecodeReport report = tv::decodeHistory(bytes, list);
    EXPECT_EQ(texts(), std::vector<std::string>{"a"});
    EXPECT_EQ(report.emptyEntries, 2u);
    EXPECT_FALSE(report.truncated);
}

TEST_F(HistoryFileDecode, CountBeyondTheDataKeepsCompleteEntries) {
    std::string bytes = bytesOf({0x03, 0x00, 0x01, 0x00, 'a', 0x02, 0x00, 'b', 'c'});
    EXPECT_TRUE(tv::decodeHistory(bytes, list).truncated);
    EXPECT_EQ(texts(), (std::vector<std::string>{"a", "bc"}));
}

TEST_F(HistoryFileDecode, EntryCutShortIsNotAdded) {
    std::string bytes = bytesOf({0x03, 0x00, 0x01, 0x00, 'a', 0x05, 0x00, 'b', 'c'});
    EXPECT_TRUE(tv::decodeHistory(bytes, list).truncated);
    EXPECT_EQ(texts(), (std::vector<std::string>{"a"}));
    // Half a length field.
    std::string halfLength = bytesOf({0x02, 0x00, 0x01, 0x00, 'a', 0x05});
    EXPECT_TRUE(tv::decodeHistory(halfLength, list).truncated);
    EXPECT_EQ(texts(), (std::vector<std::string>{"a"}));
}

TEST_F(HistoryFileDecode, HalfACountGivesAnEmptyHistory) {
    capture("old");
    EXPECT_TRUE(tv::decodeHistory(bytesOf({0x05}), list).truncated);
    EXPECT_TRUE(list.empty());
}

TEST_F(HistoryFileDecode, ZeroBytesLeaveTheListAlone) {
    capture("kept");
    tv::decodeHistory(std::string(), list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"kept"}));
}

TEST_F(HistoryFileDecode, ZeroByteInsideATextEndsIt) {
    std::string bytes = bytesOf({0x01, 0x00, 0x03, 0x00, 'a', 0x00, 'b'});
    tv::decodeHistory(bytes, list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"a"}));
}

TEST_F(HistoryFileDecode, LoadReplacesTheListAndNumbersFrom55500) {
    capture("x");
    capture("y");
    capture("z");
    list.removeEntry(list.entries()[1].get());
    tv::decodeHistory(bytesOf({0x02, 0x00, 0x01, 0x00, 'p', 0x01, 0x00, 'q'}), list);
    EXPECT_EQ(texts(), (std::vector<std::string>{"p", "q"}));
    EXPECT_EQ(list.entries()[0]->itemId, 55500);
    EXPECT_EQ(list.entries()[1]->itemId, 55501);
    EXPECT_EQ(list.entries()[0]->mode, tv::itemMode::historyEntry);
    // The bound is not applied to what is loaded.
    list.counts = 1;
    tv::decodeHistory(bytesOf({0x02, 0x00, 0x01, 0x00, 'p', 0x01, 0x00, 'q'}), list);
    EXPECT_EQ(list.count(), 2u);
}

using HistoryFileLimits = historyFileFixture;

std::string repeated(const std::string& unit, size_t times) {
    std::string out;
    out.reserve(unit.size() * times);
    for (size_t i = 0; i < times; ++i) out += unit;
    return out;
}

TEST_F(HistoryFileLimits, TextOfExactly65535BytesIsWhole) {
    EXPECT_EQ(tv::storedTextLength(std::string(65535, 'x')), 65535u);
    EXPECT_EQ(tv::storedTextLength(std::string(65536, 'x')), 65535u);
}

TEST_F(HistoryFileLimits, LongTextIsCutWithoutSplittingACharacter) {
    // "＝" is 81 81: every byte looks like a lead byte, so only a walk from the
    // start tells which ones are.
    const std::string wide = repeated("＝", 35000);  // 70000 bytes; a lead byte at 65534
    ASSERT_EQ(wide.size(), 70000u);
    EXPECT_EQ(tv::storedTextLength(wide), 65534u);
    const std::string shifted = "a" + wide;  // a trail byte at 65534
    EXPECT_EQ(tv::storedTextLength(shifted), 65535u);

    list.appendEntry(wide);
    list.appendEntry(shifted);
    std::string bytes = tv::encodeHistory(list);
    ASSERT_EQ(bytes.size(), 2u + 2u + 65534u + 2u + 65535u);
    EXPECT_EQ(bytes.substr(2, 2), bytesOf({0xFE, 0xFF}));
    EXPECT_EQ(bytes.substr(2 + 2 + 65534, 2), bytesOf({0xFF, 0xFF}));

    tv::menuModel otherModel;
    tv::historyList loaded(otherModel);
    tv::decodeHistory(bytes, loaded);
    ASSERT_EQ(loaded.count(), 2u);
    EXPECT_EQ(loaded.entries()[0]->text, wide.substr(0, 65534));
    EXPECT_EQ(loaded.entries()[1]->text, shifted.substr(0, 65535));

    // An escape is one byte of the clip: "\t" at 65534 is left out whole, the
    // same way, and a doubled backslash there too.
    EXPECT_EQ(tv::storedTextLength(std::string(65534, 'x') + "\\t" + std::string(9, 'x')), 65534u);
    EXPECT_EQ(tv::storedTextLength(std::string(65533, 'x') + "\\tx\\\\" + std::string(9, 'x')), 65535u);
    EXPECT_EQ(tv::storedTextLength("a" + std::string(65533, 'x') + "\\\\" + std::string(9, 'x')), 65534u);
}

TEST_F(HistoryFileLimits, AtMost65535EntriesAreWritten) {
    for (int i = 0; i < 65540; ++i) list.appendEntry("e");
    std::string bytes = tv::encodeHistory(list);
    EXPECT_EQ(bytes.substr(0, 2), bytesOf({0xFF, 0xFF}));
    EXPECT_EQ(bytes.size(), 2u + 65535u * 3u);

    tv::menuModel otherModel;
    tv::historyList loaded(otherModel);
    EXPECT_FALSE(tv::decodeHistory(bytes, loaded).truncated);
    EXPECT_EQ(loaded.count(), 65535u);
}

struct HistoryFileOnDisk : historyFileFixture {
    tvtest::scratchDir folder;

    void TearDown() override { tv::atomicFile::setWriteFaultHookForTesting(nullptr); }

    std::string pathOf(const char* name) const { return folder.file(name); }

    static std::string contents(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(tv::readWholeFile(path, bytes)) << path;
        return bytes;
    }
};

TEST_F(HistoryFileOnDisk, MissingFileIsCreatedEmpty) {
    const std::string path = pathOf("clips.dat");
    EXPECT_TRUE(tv::loadHistoryFile(path, list));
    EXPECT_TRUE(list.empty());
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST_F(HistoryFileOnDisk, MissingFolderFailsQuietly) {
    capture("kept");
    EXPECT_FALSE(tv::loadHistoryFile(pathOf("no such folder/clips.dat"), list));
    EXPECT_EQ(texts(), (std::vector<std::string>{"kept"}));
}

TEST_F(HistoryFileOnDisk, SaveThenLoad) {
    const std::string path = pathOf("clips.dat");
    capture("one");
    capture("two\tcols");
    ASSERT_TRUE(tv::saveHistoryFile(path, list));
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_EQ(contents(path), tv::encodeHistory(list));

    tv::menuModel otherModel;
    tv::historyList loaded(otherModel);
    ASSERT_TRUE(tv::loadHistoryFile(path, loaded));
    std::vector<std::string> loadedTexts;
    for (const auto& entry : loaded.entries()) loadedTexts.push_back(entry->text);
    EXPECT_EQ(loadedTexts, texts());
}

TEST_F(HistoryFileOnDisk, FailedSaveKeepsTheOldFile) {
    const std::string path = pathOf("clips.dat");
    capture("old");
    ASSERT_TRUE(tv::saveHistoryFile(path, list));
    const std::string before = contents(path);

    capture("new entry that will not arrive");
    tv::atomicFile::setWriteFaultHookForTesting([](size_t, size_t) { return false; });
    EXPECT_FALSE(tv::saveHistoryFile(path, list));
    tv::atomicFile::setWriteFaultHookForTesting(nullptr);
    EXPECT_EQ(contents(path), before);
    EXPECT_FALSE(fs::exists(path + ".tmp"));
    EXPECT_FALSE(tv::saveHistoryFile(pathOf("no such folder/clips.dat"), list));
}

TEST(HistorySavePolicy, WritesOnlyFromTheStartDirectoryWithTheDefaultDataFile) {
    using tv::historySaveAction;
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", false, "tv2_text.ini"), historySaveAction::write);
    EXPECT_EQ(tv::decideHistorySave("C:\\tv\\sub", "C:\\tv", false, "tv2_text.ini"), historySaveAction::skip);
    EXPECT_EQ(tv::decideHistorySave("C:\\TV", "C:\\tv", false, "tv2_text.ini"), historySaveAction::skip);
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", false, "other.ini"), historySaveAction::skip);
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", false, "TV2_TEXT.INI"), historySaveAction::skip);
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", false, "./tv2_text.ini"), historySaveAction::skip);
}

TEST(HistorySavePolicy, VolatileHistoryDeletesTheFile) {
    using tv::historySaveAction;
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", true, "tv2_text.ini"), historySaveAction::deleteFile);
    // Even an instance on another data file deletes it; only a moved directory stops it.
    EXPECT_EQ(tv::decideHistorySave("C:\\tv", "C:\\tv", true, "other.ini"), historySaveAction::deleteFile);
    EXPECT_EQ(tv::decideHistorySave("D:\\", "C:\\tv", true, "tv2_text.ini"), historySaveAction::skip);
}

}  // namespace
