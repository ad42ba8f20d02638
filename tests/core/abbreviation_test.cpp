// Abbreviations typed anywhere: which item the typed characters name, and which
// abbreviations can never expand.
#include <gtest/gtest.h>

#include "abbrev/abbreviation_matcher.h"
#include "test_support.h"

using tvtest::addItem;
using tvtest::fields;

namespace {

// The new node's item: appending to a folder may move the nodes already in it.
const tv::menuItem* addAbbreviated(tv::menuModel& model, tv::menuNode& parent, const std::string& text,
                                   const std::string& abbreviation, uint8_t mode = tv::itemMode::inputDataString) {
    tv::itemFields f = fields(mode, text, text);
    f.abbreviation = abbreviation;
    return addItem(model, parent, f).item.get();
}

// The display text of the item the typed text expands ("(gone)" when it has
// left the menu since the matcher was built), "-" for none, and the characters
// it takes back.
std::string typed(tv::abbreviationMatcher& matcher, const std::string& text) {
    auto hit = matcher.typeText(text);
    if (!hit) return "-";
    tv::itemRef item = matcher.item(hit->abbreviation);
    return (item ? item->text : "(gone)") + "/" + std::to_string(hit->characters);
}

}  // namespace

TEST(AbbreviationMatcher, LongestThenFirstInMenuOrder) {
    tv::menuModel model;
    addAbbreviated(model, model.root, "short", "sg");
    tv::menuNode& folder = addItem(model, model.root, "folder");
    addAbbreviated(model, folder, "long", ";sg");
    addAbbreviated(model, model.root, "second", ";sg");
    addAbbreviated(model, model.root, "kana", "あいさつ");
    addAbbreviated(model, model.root, "after", "gx");
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, "a ;sg"), "long/3");
    EXPECT_EQ(typed(matcher, "x"), "-");  // the hit emptied the typed text
    EXPECT_EQ(typed(matcher, "xsg"), "short/2");
    EXPECT_EQ(typed(matcher, "はい、あいさつ"), "kana/4");
    EXPECT_EQ(typed(matcher, ";SG"), "-");  // letters match as typed
}

TEST(AbbreviationMatcher, ResetsAndTheBoundOfWhatIsKept) {
    tv::menuModel model;
    addAbbreviated(model, model.root, "sig", ";sg");
    addAbbreviated(model, model.root, "so", "\\x");
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, ";s"), "-");
    matcher.reset();  // a click between the characters
    EXPECT_EQ(typed(matcher, "g"), "-");
    // A character the caller cannot name also forgets what came before.
    matcher.typeText(";s");
    matcher.type(std::string(40, 'x'));
    EXPECT_EQ(typed(matcher, "g"), "-");
    // Far more typed than any abbreviation is long still matches at the end.
    EXPECT_EQ(typed(matcher, std::string(100, 'z') + "あいうえお;sg"), "sig/3");
    // ソ is 83 5C: its trail byte is no backslash.
    EXPECT_EQ(typed(matcher, "ソx"), "-");
    EXPECT_EQ(typed(matcher, "ソ\\x"), "so/2");
}

TEST(AbbreviationMatcher, OnlyItemsThatRunExpand) {
    tv::menuModel model;
    addAbbreviated(model, model.root, "separator", "aa", tv::itemMode::hSeparater);
    addAbbreviated(model, model.root, "settings", "bb", tv::itemMode::showSetting);
    addAbbreviated(model, model.root, "folder", "cc");
    addAbbreviated(model, model.root.lastChild(), "inside", "dd", tv::itemMode::encloseSelection);
    addAbbreviated(model, model.root, "date", "ee", tv::itemMode::newDateTime);
    addAbbreviated(model, model.root, "gone", "ff", tv::itemMode::exeProgram);
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, "aa bb cc"), "-");
    EXPECT_EQ(typed(matcher, "dd"), "inside/2");
    EXPECT_EQ(typed(matcher, "ee"), "date/2");
    // An item removed before the next rebuild is not kept alive by the matcher.
    model.unregisterSubtree(model.root.lastChild());
    EXPECT_EQ(typed(matcher, "ff"), "(gone)/2");
    matcher.clear();
    EXPECT_TRUE(matcher.empty());
    EXPECT_EQ(typed(matcher, "ee"), "-");
}

TEST(AbbreviationMatcher, ProgramsNeverExpandByOneCharacter) {
    tv::menuModel model;
    addAbbreviated(model, model.root, "program", "z", tv::itemMode::exeProgram);
    addAbbreviated(model, model.root, "url", "ぺ", tv::itemMode::exeProgram);
    addAbbreviated(model, model.root, "longer", "zq", tv::itemMode::exeProgram);
    addAbbreviated(model, model.root, "phrase", "y");
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, "z"), "-");
    EXPECT_EQ(typed(matcher, "ぺ"), "-");
    EXPECT_EQ(typed(matcher, "zq"), "longer/2");
    EXPECT_EQ(typed(matcher, "y"), "phrase/1");
    EXPECT_FALSE(tv::expandsByAbbreviation(model.root.children[0]));
}

// The data file read again (another program changed it) releases the old
// items, reads the file and only then rebuilds the table; the hook thread goes
// on typing into the old table meanwhile, and its hit waits for the main thread.
TEST(AbbreviationMatcher, AHitTypedWhileTheMenuIsReadAgainRunsTheNewItem) {
    tv::menuModel model;
    addAbbreviated(model, model.root, "old", ";sg");
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, ";s"), "-");
    model.root.clear();
    auto hit = matcher.typeText("g");
    ASSERT_TRUE(hit) << "the last character, typed while the file is read, is a hit";
    EXPECT_EQ(hit->abbreviation, ";sg");
    EXPECT_EQ(hit->characters, 3u);
    addAbbreviated(model, model.root, "new", ";sg");
    matcher.rebuild(model.root);
    tv::itemRef running = matcher.item(hit->abbreviation);
    ASSERT_TRUE(running) << "the hit, taken after the rebuild, names the new menu's item";
    EXPECT_EQ(running->text, "new");

    // Typed across a rebuild, an abbreviation still expands.
    EXPECT_EQ(typed(matcher, ";s"), "-");
    matcher.rebuild(model.root);
    EXPECT_EQ(typed(matcher, "g"), "new/3");
}

TEST(AbbreviationConflicts, DuplicatesAndShorterOnesTypedFirst) {
    tv::menuModel model;
    const tv::menuItem* first = addAbbreviated(model, model.root, "first", ";sg");
    const tv::menuItem* again = addAbbreviated(model, addItem(model, model.root, "folder"), "again", ";sg");
    const tv::menuItem* inner = addAbbreviated(model, model.root, "inner", "b");
    const tv::menuItem* hidden = addAbbreviated(model, model.root, "hidden", "abc");
    // Ending with "b" is fine: at its last character the longest wins.
    const tv::menuItem* longer = addAbbreviated(model, model.root, "longer", "ab");
    addAbbreviated(model, model.root, "ignored", ";sg", tv::itemMode::hSeparater);

    EXPECT_EQ(tv::findAbbreviationHolder(model.root, ";sg", again), first);
    EXPECT_EQ(tv::findAbbreviationHolder(model.root, ";sg", first), again);
    EXPECT_EQ(tv::findAbbreviationHolder(model.root, "b", inner), nullptr);
    EXPECT_EQ(tv::findAbbreviationHolder(model.root, "b", nullptr), inner);

    auto conflicts = tv::findAbbreviationConflicts(model.root);
    ASSERT_EQ(conflicts.size(), 2u);
    EXPECT_EQ(conflicts[0].item, again);
    EXPECT_EQ(conflicts[0].winner, first);
    EXPECT_TRUE(conflicts[0].sameAbbreviation);
    EXPECT_EQ(conflicts[1].item, hidden);
    EXPECT_EQ(conflicts[1].winner, longer);
    EXPECT_FALSE(conflicts[1].sameAbbreviation);
}
