// Which icon an item shows: URL detection, the "DefaultIcon" value and the
// standard slots by mode and submenu state.
#include <gtest/gtest.h>

#include <string>

#include "model/menu_item.h"
#include "shell/icon_source.h"

namespace {

namespace mode = tv::itemMode;
namespace slot = tv::iconSlot;

TEST(IconSourceUrl, EverySchemeIsAUrl) {
    for (const char* data : {"http://example.jp/", "https://example.jp/", "ftp://host/", "telnet:host",
                             "mailto:someone@example.jp", "news:group", "RLogin:host", "Snews:group"})
        EXPECT_TRUE(tv::isUrlCommand(data)) << data;
}

TEST(IconSourceUrl, SchemesAreCaseSensitive) {
    EXPECT_FALSE(tv::isUrlCommand("HTTP://example.jp/"));
    EXPECT_FALSE(tv::isUrlCommand("Mailto:someone@example.jp"));
    EXPECT_FALSE(tv::isUrlCommand("rlogin:host"));
}

TEST(IconSourceUrl, PathsAndPartsOfSchemesAreNot) {
    EXPECT_FALSE(tv::isUrlCommand(""));
    EXPECT_FALSE(tv::isUrlCommand("http:"));  // only "http://" counts, "https:" is shorter
    EXPECT_FALSE(tv::isUrlCommand("http:/x"));
    EXPECT_FALSE(tv::isUrlCommand("C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(tv::isUrlCommand(" http://example.jp/"));
    EXPECT_TRUE(tv::isUrlCommand("https:"));
}

struct parsedIcon {
    bool ok;
    std::string path;
    int index;
};

parsedIcon parse(const std::string& value) {
    parsedIcon result{false, "untouched", 12345};
    result.ok = tv::parseDefaultIcon(value, result.path, result.index);
    return result;
}

TEST(IconSourceDefaultIcon, PathAndIndex) {
    parsedIcon icon = parse("C:\\Windows\\system32\\url.dll,5");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ("C:\\Windows\\system32\\url.dll", icon.path);
    EXPECT_EQ(5, icon.index);
}

TEST(IconSourceDefaultIcon, NegativeResourceIdAndBlanks) {
    parsedIcon icon = parse("C:\\Windows\\system32\\ieframe.dll, -190");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ("C:\\Windows\\system32\\ieframe.dll", icon.path);
    EXPECT_EQ(-190, icon.index);
}

TEST(IconSourceDefaultIcon, PathEndsAtTheLastComma) {
    parsedIcon icon = parse("C:\\a,b\\icons.dll,3");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ("C:\\a,b\\icons.dll", icon.path);
    EXPECT_EQ(3, icon.index);
}

TEST(IconSourceDefaultIcon, IndexIsReadLikeAtoi) {
    parsedIcon icon = parse("x.dll,abc12def");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ(12, icon.index);
    icon = parse("x.dll,-");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ(0, icon.index) << "a lone minus sign reads as 0";
    icon = parse("x.dll,99999999999999");
    ASSERT_TRUE(icon.ok);
    EXPECT_EQ(2147483647, icon.index) << "huge numbers stop at the int range";
}

TEST(IconSourceDefaultIcon, NoCommaOrNoIndexFails) {
    EXPECT_FALSE(parse("").ok);
    EXPECT_FALSE(parse("C:\\Windows\\system32\\url.dll").ok);
    parsedIcon icon = parse("C:\\url.dll,");
    EXPECT_FALSE(icon.ok);
    EXPECT_EQ("untouched", icon.path) << "a failed parse leaves the outputs alone";
    EXPECT_FALSE(parse("1,2,x").ok) << "only what follows the last comma is the index";
}

TEST(IconSourceSlots, BuiltInSlotPerMode) {
    EXPECT_EQ(slot::phrase, tv::builtInIconSlot(mode::inputString));
    EXPECT_EQ(slot::dataPhrase, tv::builtInIconSlot(mode::inputDataString));
    EXPECT_EQ(slot::phrase, tv::builtInIconSlot(mode::exeProgram));
    EXPECT_EQ(slot::hSeparator, tv::builtInIconSlot(mode::hSeparater));
    EXPECT_EQ(slot::vSeparator, tv::builtInIconSlot(mode::vSeparater));
    EXPECT_EQ(slot::setting, tv::builtInIconSlot(mode::showSetting));
    EXPECT_EQ(slot::phrase, tv::builtInIconSlot(mode::insertFront));
    EXPECT_EQ(slot::date, tv::builtInIconSlot(mode::dateTimeExt));
    EXPECT_EQ(slot::date, tv::builtInIconSlot(mode::newDateTime));
    EXPECT_EQ(slot::editHistory, tv::builtInIconSlot(mode::editHistory));
    EXPECT_EQ(slot::exit, tv::builtInIconSlot(mode::exit));
    EXPECT_EQ(slot::eraseHistory, tv::builtInIconSlot(mode::eraseClipHistory));
    EXPECT_EQ(slot::enclose, tv::builtInIconSlot(mode::encloseSelection));
    EXPECT_EQ(slot::folderPopup, tv::builtInIconSlot(mode::folderPopup));
    EXPECT_EQ(slot::phrase, tv::builtInIconSlot(mode::historyEntry));
    EXPECT_EQ(slot::phrase, tv::builtInIconSlot(200)) << "an unknown mode";
}

TEST(IconSourceSlots, StandardResourcesInSlotOrder) {
    EXPECT_EQ(109, tv::standardIconResources[slot::phrase]);
    EXPECT_EQ(114, tv::standardIconResources[slot::folder]);
    EXPECT_EQ(113, tv::standardIconResources[slot::setting]);
    EXPECT_EQ(102, tv::standardIconResources[slot::application]);
    EXPECT_EQ(142, tv::standardIconResources[slot::folderSelected]);
    EXPECT_EQ(149, tv::standardIconResources[slot::folderPopup]);
}

TEST(IconSourceSlots, EntriesWithSubmenusShowFolders) {
    EXPECT_EQ(slot::folder, tv::submenuIconSlot(mode::inputString, true, false));
    EXPECT_EQ(slot::folderSelected, tv::submenuIconSlot(mode::inputString, true, true));
    EXPECT_EQ(slot::folder, tv::submenuIconSlot(mode::exeProgram, true, false)) << "before any program icon";
    EXPECT_EQ(slot::dateFolder, tv::submenuIconSlot(mode::newDateTime, true, false));
    EXPECT_EQ(slot::dateFolderSelected, tv::submenuIconSlot(mode::dateTimeExt, true, true));
    EXPECT_EQ(-1, tv::submenuIconSlot(mode::inputString, false, true));
    EXPECT_EQ(-1, tv::submenuIconSlot(mode::folderPopup, true, true)) << "a folder popup wants its path's icon";
}

TEST(IconSourceSlots, HistoryItemHasItsOwnIcons) {
    EXPECT_EQ(slot::historySelected, tv::submenuIconSlot(mode::clipBoardHistory, true, true));
    EXPECT_EQ(slot::history, tv::submenuIconSlot(mode::clipBoardHistory, true, false));
    EXPECT_EQ(slot::history, tv::submenuIconSlot(mode::clipBoardHistory, false, true));
}

TEST(IconSourceSlots, WhoTakesAProgramIcon) {
    EXPECT_TRUE(tv::takesProgramIcon(mode::exeProgram, ""));
    EXPECT_TRUE(tv::takesProgramIcon(mode::exeProgram, "notepad.exe"));
    EXPECT_TRUE(tv::takesProgramIcon(mode::folderPopup, "C:\\"));
    EXPECT_FALSE(tv::takesProgramIcon(mode::folderPopup, "")) << "the drive list has no path to ask about";
    EXPECT_FALSE(tv::takesProgramIcon(mode::inputString, "notepad.exe"));
}

}  // namespace
