// The clipboard history list: capture, duplicates, the bound, erase, ids, and
// what a history submenu shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cliphistory/history_list.h"

namespace {

using tv::clipOutcome;
using tv::historyList;
using tv::menuModel;

struct historyFixture : ::testing::Test {
    menuModel model;  // declared first: the list's entries report to its allocator
    historyList list{model};

    tv::addClipResult capture(const std::string& text, bool keepExistingPosition = false) {
        list.queueClip(text);
        return list.addPendingClip(keepExistingPosition);
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& entry : list.entries()) out.push_back(entry->text);
        return out;
    }

    std::vector<uint16_t> ids() const {
        std::vector<uint16_t> out;
        for (const auto& entry : list.entries()) out.push_back(entry->itemId);
        return out;
    }

    void fill(int howMany) {  // entry k (1-based, newest first) holds "k"
        for (int k = howMany; k >= 1; --k) capture(std::to_string(k));
    }
};

using HistoryCapture = historyFixture;

TEST_F(HistoryCapture, EmptyQueueChangesNothingAndNeedsNoSave) {
    tv::addClipResult result = list.addPendingClip(false);
    EXPECT_EQ(result.outcome, clipOutcome::nothingQueued);
    EXPECT_FALSE(result.saveHistory());
    EXPECT_FALSE(result.notifyEditDialog);
    EXPECT_TRUE(list.empty());
}

TEST_F(HistoryCapture, StoresEscapedTextAsHistoryEntry) {
    tv::addClipResult result = capture("a\tb\r\nc\\d");
    EXPECT_EQ(result.outcome, clipOutcome::added);
    EXPECT_TRUE(result.saveHistory());
    EXPECT_FALSE(result.notifyEditDialog);
    ASSERT_EQ(list.count(), 1u);
    const tv::menuItem& entry = *list.entries().front();
    EXPECT_EQ(entry.text, "a\\tb\\r\\nc\\\\d");
    EXPECT_EQ(entry.mode, tv::itemMode::historyEntry);
    EXPECT_EQ(entry.vk, 0);
    EXPECT_EQ(entry.itemId, 55500);
}

// The file keeps a text up to its zero byte: a clip empty once cut there is
// not recorded, since it would be written with length 0 and lost.
TEST_F(HistoryCapture, ClipsAreCutAtZeroAndEmptyOnesAreNotRecorded) {
    list.queueClip("");
    list.queueClip(std::string("\0abc", 4));
    EXPECT_EQ(list.addPendingClip(false).outcome, tv::clipOutcome::nothingQueued);
    EXPECT_TRUE(list.empty());
    list.queueClip("");
    list.queueClip(std::string("ab\0cd", 5));
    EXPECT_EQ(list.addPendingClip(false).outcome, tv::clipOutcome::added);
    EXPECT_EQ(texts(), std::vector<std::string>{"ab"});
}

TEST_F(HistoryCapture, NewestFirstAndQueueIsFirstInFirstOut) {
    list.queueClip("one");
    list.queueClip("two");
    EXPECT_EQ(list.pendingCount(), 2u);
    list.addPendingClip(false);
    list.addPendingClip(false);
    EXPECT_EQ(list.pendingCount(), 0u);
    EXPECT_EQ(texts(), (std::vector<std::string>{"two", "one"}));
}

TEST_F(HistoryCapture, SameTextMovesToFrontWithFreshId) {
    capture("x");  // 55500
    capture("y");  // 55501
    tv::addClipResult result = capture("x");
    EXPECT_EQ(result.outcome, clipOutcome::added);
    EXPECT_EQ(texts(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(ids(), (std::vector<uint16_t>{55502, 55501}));
    // The old entry's id went back to the history range and comes out next.
    capture("z");
    EXPECT_EQ(list.entries().front()->itemId, 55500);
}

TEST_F(HistoryCapture, KeepExistingPositionDiscardsTheDuplicate) {
    capture("x");
    capture("y");
    tv::addClipResult result = capture("x", true);
    EXPECT_EQ(result.outcome, clipOutcome::discarded);
    EXPECT_TRUE(result.saveHistory());
    EXPECT_EQ(texts(), (std::vector<std::string>{"y", "x"}));
    EXPECT_EQ(ids(), (std::vector<uint16_t>{55501, 55500}));
    // A text typed by hand is still a new capture when nothing equals it.
    EXPECT_EQ(capture("w", true).outcome, clipOutcome::added);
    EXPECT_EQ(list.entries().front()->text, "w");
}

TEST_F(HistoryCapture, DuplicatesAreExactByteMatchesOfTheEscapedText) {
    capture("abc");
    capture("ABC");
    capture("a\tb");
    capture("a\\tb");  // a backslash and a t, escaped to a\\tb: not the TAB text
    capture("abc ");
    EXPECT_EQ(list.count(), 5u);
}

TEST_F(HistoryCapture, BoundDropsOldest) {
    list.counts = 3;
    fill(3);
    capture("4");
    EXPECT_EQ(texts(), (std::vector<std::string>{"4", "1", "2"}));
}

TEST_F(HistoryCapture, ZeroCountsKeepsNothing) {
    list.counts = 0;
    EXPECT_EQ(capture("a").outcome, clipOutcome::added);
    EXPECT_TRUE(list.empty());
}

TEST_F(HistoryCapture, NegativeCountsIsNoBound) {
    list.counts = -1;
    fill(300);
    EXPECT_EQ(list.count(), 300u);
}

TEST_F(HistoryCapture, OpenEditDialogSkipsDuplicateCheckAndBound) {
    list.counts = 2;
    capture("a");
    capture("b");
    list.editDialogOpen = true;
    tv::addClipResult result = capture("a", true);
    EXPECT_EQ(result.outcome, clipOutcome::added);
    EXPECT_TRUE(result.notifyEditDialog);
    EXPECT_TRUE(result.saveHistory());
    EXPECT_EQ(texts(), (std::vector<std::string>{"a", "b", "a"}));
    // Once it is closed the next capture trims again.
    list.editDialogOpen = false;
    capture("c");
    EXPECT_EQ(texts(), (std::vector<std::string>{"c", "a"}));
}

using HistoryEdit = historyFixture;

TEST_F(HistoryEdit, TrimDropsTheOldestBeyondCounts) {
    fill(50);
    list.counts = 10;
    EXPECT_EQ(list.trimHistory(), 40u);
    ASSERT_EQ(list.count(), 10u);
    EXPECT_EQ(list.entries().front()->text, "1");
    EXPECT_EQ(list.entries().back()->text, "10");
    EXPECT_EQ(list.trimHistory(), 0u);
}

TEST_F(HistoryEdit, EraseEmptiesAndRestartsIdsAt55500) {
    fill(5);
    list.removeEntry(list.entries()[2].get());  // leaves a released id behind
    list.eraseHistory();
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(model.ids.releasedHistoryIds().empty());
    capture("again");
    EXPECT_EQ(list.entries().front()->itemId, 55500);
}

TEST_F(HistoryEdit, ReleasedIdsAreReusedOldestFirst) {
    fill(3);  // "3" 55500, "2" 55501, "1" 55502
    list.removeEntry(list.findHistoryEntry(55501).get());
    list.removeEntry(list.findHistoryEntry(55500).get());
    capture("p");
    capture("q");
    capture("r");
    EXPECT_EQ(ids(), (std::vector<uint16_t>{55503, 55500, 55501, 55502}));
}

TEST_F(HistoryEdit, FindHistoryEntryByItemId) {
    fill(3);
    tv::itemRef found = list.findHistoryEntry(55501);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->text, "2");
    EXPECT_FALSE(list.findHistoryEntry(55503));
    EXPECT_FALSE(list.findHistoryEntry(200));
}

TEST_F(HistoryEdit, MovesStopAtTheEnds) {
    fill(3);  // 1 2 3
    const tv::menuItem* first = list.entries()[0].get();
    const tv::menuItem* last = list.entries()[2].get();
    EXPECT_FALSE(list.moveTowardFront(first));
    EXPECT_FALSE(list.moveTowardBack(last));
    EXPECT_TRUE(list.moveTowardBack(first));
    EXPECT_EQ(texts(), (std::vector<std::string>{"2", "1", "3"}));
    EXPECT_TRUE(list.moveTowardFront(last));
    EXPECT_EQ(texts(), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_TRUE(list.removeEntry(last));
    EXPECT_FALSE(list.removeEntry(last));
    EXPECT_EQ(texts(), (std::vector<std::string>{"2", "1"}));
}

TEST(HistoryEditLabel, CutAtEightyBytesWithoutSplittingACharacter) {
    const std::string a79(79, 'a');
    EXPECT_EQ(tv::historyEditLabel(a79), a79);
    EXPECT_EQ(tv::historyEditLabel(a79 + "b"), a79 + "b...");
    EXPECT_EQ(tv::historyEditLabel(std::string(100, 'x')), std::string(80, 'x') + "...");
    // 表 is 95 5C: a lead byte at byte 79 goes whole, a pair ending at 80 stays.
    EXPECT_EQ(tv::historyEditLabel(a79 + "\x95\x5C" + "zz"), a79 + "...");
    std::string kana;
    for (int i = 0; i < 41; ++i) kana += "\x83\x5C";  // ソ, trail byte 0x5C
    EXPECT_EQ(tv::historyEditLabel(kana), kana.substr(0, 80) + "...");
    // The trail byte 9F at byte 79 lies in the lead-byte range; its pair still fits.
    std::string mixed = std::string(78, 'b') + "\x88\x9F" + "cc";
    EXPECT_EQ(tv::historyEditLabel(mixed), mixed.substr(0, 80) + "...");
}

TEST(ClipSizeLimit, TextOfExactlyTheLimitIsRefused) {
    EXPECT_FALSE(tv::clipSizeAccepted(32768, 32));
    EXPECT_TRUE(tv::clipSizeAccepted(32767, 32));
    EXPECT_TRUE(tv::clipSizeAccepted(0, 32));
}

TEST(ClipSizeLimit, ZeroIsNoLimitAndNegativeRefusesAll) {
    EXPECT_TRUE(tv::clipSizeAccepted(size_t(1) << 30, 0));
    EXPECT_FALSE(tv::clipSizeAccepted(0, -1));
    // Far above what fits in an int once multiplied by 1024.
    EXPECT_TRUE(tv::clipSizeAccepted(size_t(1) << 31, 2147483647));
}

struct HistorySubmenu : historyFixture {
    tv::historySubmenuOptions options;

    std::vector<tv::submenuEntry> show(const std::string& data) {
        return tv::layoutHistorySubmenu(list, tv::clipBoardHistoryRange(data, list.count()), options);
    }

    static std::vector<std::string> shownTexts(const std::vector<tv::submenuEntry>& shown) {
        std::vector<std::string> out;
        for (const auto& s : shown) out.push_back(s.entry->text);
        return out;
    }

    static std::vector<std::string> numbers(int from, int to) {
        std::vector<std::string> out;
        for (int k = from; k <= to; ++k) out.push_back(std::to_string(k));
        return out;
    }
};

TEST_F(HistorySubmenu, FirstAndLastLinesGiveAnUncappedRange) {
    fill(30);
    options.iMaxOneOneSize = 5;
    auto shown = show("11\r\n20");
    EXPECT_EQ(shownTexts(shown), numbers(11, 20));
    ASSERT_EQ(shown.size(), 10u);
    EXPECT_EQ(shown.front().label, "&0: ");
    EXPECT_EQ(shown.back().label, "&9: ");
    EXPECT_EQ(shownTexts(show("3\n5")), numbers(3, 5));
    EXPECT_EQ(shownTexts(show(" 3\r\n 5\r\n")), numbers(3, 5));
}

TEST_F(HistorySubmenu, StartAloneIsCappedByOneMenuSize) {
    fill(40);
    EXPECT_EQ(shownTexts(show("11")), numbers(11, 30));
    options.iMaxOneOneSize = 0;
    EXPECT_EQ(shownTexts(show("11")), numbers(11, 40));
}

TEST_F(HistorySubmenu, NonNumericOrEmptyDataShowsFromNewest) {
    fill(30);
    EXPECT_EQ(shownTexts(show("")), numbers(1, 20));
    EXPECT_EQ(shownTexts(show("all")), numbers(1, 20));
    EXPECT_EQ(shownTexts(show("abc\r\nxyz")), numbers(1, 20));
    EXPECT_EQ(shownTexts(show("0\r\n0")), numbers(1, 20));
    EXPECT_EQ(shownTexts(show("-4\r\n3")), numbers(1, 3));
    options.iMaxOneOneSize = -1;
    EXPECT_EQ(shownTexts(show("")), numbers(1, 30));
}

TEST_F(HistorySubmenu, RangesOutsideTheHistoryShowNone) {
    fill(250);
    EXPECT_TRUE(show("300").empty());
    EXPECT_TRUE(show("251").empty());
    EXPECT_EQ(shownTexts(show("250")), numbers(250, 250));
    EXPECT_TRUE(show("5\r\n3").empty());
    EXPECT_EQ(shownTexts(show("248\r\n400")), numbers(248, 250));
}

TEST_F(HistorySubmenu, EmptyHistoryShowsNone) {
    EXPECT_TRUE(show("").empty());
    EXPECT_TRUE(show("1\r\n5").empty());
    EXPECT_TRUE(tv::layoutHistorySubmenu(list, tv::editorHistoryRange(), options).empty());
}

TEST_F(HistorySubmenu, OnlyTheFirst36EntriesGetKeys) {
    fill(40);
    options.iMaxOneOneSize = 0;
    auto shown = show("");
    ASSERT_EQ(shown.size(), 40u);
    EXPECT_EQ(shown[9].label, "&9: ");
    EXPECT_EQ(shown[10].label, "&A: ");
    EXPECT_EQ(shown[35].label, "&Z: ");
    for (size_t i = 36; i < 40; ++i) EXPECT_EQ(shown[i].label, "") << "entry " << i;
}

TEST_F(HistorySubmenu, LettersFirstWhenReversed) {
    fill(40);
    options.iMaxOneOneSize = 0;
    options.bRevNumAndAbc = true;
    auto shown = show("");
    EXPECT_EQ(shown[0].label, "&A: ");
    EXPECT_EQ(shown[25].label, "&Z: ");
    EXPECT_EQ(shown[26].label, "&0: ");
    EXPECT_EQ(shown[35].label, "&9: ");
    EXPECT_EQ(shown[36].label, "");
}

TEST_F(HistorySubmenu, ColumnsEveryRetCountsEntries) {
    fill(25);
    options.iMaxOneOneSize = 0;
    options.ret_counts = 10;
    auto shown = show("");
    std::vector<size_t> breaks;
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i].newColumn) breaks.push_back(i);
    EXPECT_EQ(breaks, (std::vector<size_t>{10, 20}));  // columns of 10, 10 and 5
    options.ret_counts = -1;
    for (const auto& s : show("")) EXPECT_FALSE(s.newColumn);
}

TEST_F(HistorySubmenu, NewestAtTheBottomKeepsKeysRunningFromTheTop) {
    fill(25);
    options.iMaxOneOneSize = 0;
    options.ClipToAddPos = true;
    options.ret_counts = 10;
    auto shown = show("");
    ASSERT_EQ(shown.size(), 25u);
    EXPECT_EQ(shown.front().entry->text, "25");
    EXPECT_EQ(shown.back().entry->text, "1");
    EXPECT_EQ(shown.front().label, "&0: ");
    EXPECT_EQ(shown.back().label, "&O: ");
    // The break stays with the 11th and 21st entries taken from the list, which
    // sit 15th and 5th from the top.
    std::vector<std::string> breakTexts;
    for (const auto& s : shown)
        if (s.newColumn) breakTexts.push_back(s.entry->text);
    EXPECT_EQ(breakTexts, (std::vector<std::string>{"21", "11"}));
}

TEST_F(HistorySubmenu, EditorSubmenusShowTheSixteenNewest) {
    fill(20);
    options.iMaxOneOneSize = 0;
    EXPECT_EQ(shownTexts(tv::layoutHistorySubmenu(list, tv::editorHistoryRange(), options)), numbers(1, 16));
    options.iMaxOneOneSize = 4;
    EXPECT_EQ(shownTexts(tv::layoutHistorySubmenu(list, tv::editorHistoryRange(), options)), numbers(1, 4));
}

TEST_F(HistorySubmenu, EditorSubmenuOfAShortHistoryLabelsFromTheTop) {
    fill(3);
    options.ClipToAddPos = true;
    auto shown = tv::layoutHistorySubmenu(list, tv::editorHistoryRange(), options);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shownTexts(shown), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(shown[0].label, "&0: ");
    EXPECT_EQ(shown[2].label, "&2: ");
}

}  // namespace
