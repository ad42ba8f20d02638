// Folder menus without Windows: labels and mnemonics of directory entries, path
// joining, the order of a listing, the overflow rule's three modes, command ids
// and the choice a typed character makes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/item_text.h"
#include "folderpopup/folder_menu_core.h"

using namespace tv;

TEST(FolderLabels, AsciiFirstCharacterBecomesTheMnemonic) {
    EXPECT_EQ(mnemonicLabel("beta"), "&beta");
    EXPECT_EQ(mnemonicLabel(".git"), "&.git");
    EXPECT_EQ(mnemonicLabel("日本"), "日本");
    EXPECT_EQ(mnemonicLabel(std::string("\x1F" "x")), std::string("\x1F" "x"));
    EXPECT_EQ(mnemonicLabel(""), "");
}

TEST(FolderLabels, ShortcutExtensionsAreHiddenInFileLabels) {
    EXPECT_EQ(fileLabel("site.URL"), "&site");
    EXPECT_EQ(fileLabel("old.pif"), "&old");
    EXPECT_EQ(fileLabel("表.lnk"), "表");
    EXPECT_EQ(fileLabel(".lnk"), "&.lnk");  // not longer than 4 bytes
    EXPECT_EQ(fileLabel("a.txt"), "&a.txt");
    EXPECT_TRUE(isShortcutFileName("x.LnK"));
    EXPECT_FALSE(isShortcutFileName(".lnk"));
    EXPECT_FALSE(isShortcutFileName("x.url"));
    EXPECT_EQ(shortcutFolderLabel("Docs.lnk"), "&Docs");
}

TEST(FolderPaths, JoiningNeverCutsOrDoublesSeparators) {
    EXPECT_EQ(joinPath("C:\\", "a", true), "C:\\a\\");
    EXPECT_EQ(joinPath("C:\\x", "f.txt", false), "C:\\x\\f.txt");
    EXPECT_EQ(joinPath("Z:/tmp/", "b", false), "Z:/tmp/b");
    // 表 ends in byte 0x5C: it is a character, not a separator.
    EXPECT_EQ(joinPath("C:\\表", "b", false), "C:\\表\\b");
    std::string deep = "Z:\\" + std::string(300, 'd');
    std::string joined = joinPath(deep, "file.txt", false);
    EXPECT_EQ(joined.size(), deep.size() + 9);
    EXPECT_FALSE(fitsShellPath(joined));
    EXPECT_FALSE(fitsShellPath(std::string(260, 'x')));
    EXPECT_TRUE(fitsShellPath(std::string(259, 'x')));
}

TEST(FolderLabels, Drives) {
    EXPECT_EQ(driveText('C'), "&C:\\");
    EXPECT_EQ(driveLabel('C', "System", true), "System (&C:\\)");
    EXPECT_EQ(driveLabel('A', "", false), "&A:\\");
}

TEST(FolderOrder, SortsByLabelWithTheGivenComparison) {
    std::vector<folderEntry> entries{{"p\\日本\\", "日本", true}, {"p\\beta\\", "&beta", true},
                                     {"p\\Alpha\\", "&Alpha", true}};
    sortEntries(entries, [](const char* a, const char* b) { return std::strcmp(a, b); });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].label, "&Alpha");
    EXPECT_EQ(entries[1].label, "&beta");
    EXPECT_EQ(entries[2].label, "日本");
}

TEST(FolderOverflow, ThreeModes) {
    const screenSize screen{1024, 232};  // a column holds 9 entries of 20 + 1 pixels below 200
    auto run = [&](int mode, int entries) {
        columnLayout layout;
        std::vector<entryPlace> places;
        for (int i = 0; i < entries; ++i) places.push_back(placeEntry(layout, 400, 20, mode, screen));
        return places;
    };
    std::vector<entryPlace> continued = run(1003, 12);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(continued[i], entryPlace::append) << i;
    EXPECT_EQ(continued[9], entryPlace::continuation);

    std::vector<entryPlace> grown = run(1004, 30);
    for (entryPlace place : grown) EXPECT_EQ(place, entryPlace::append);

    // 1002: entries 401 pixels wide; two columns fit in 1024 - 64, a third does not.
    std::vector<entryPlace> columns = run(1002, 30);
    EXPECT_EQ(columns[9], entryPlace::newColumn);
    int firstContinuation = -1;
    for (int i = 10; i < 30 && firstContinuation < 0; ++i)
        if (columns[i] == entryPlace::continuation) firstContinuation = i;
    EXPECT_EQ(firstContinuation, 19);
}

TEST(FolderCommands, IdsStartAt34010AndWrapTo34002) {
    commandCounter counter;
    EXPECT_EQ(counter.next(), 34010u);
    unsigned id = 0;
    for (unsigned i = 34011; i <= 55498; ++i) id = counter.next();
    EXPECT_EQ(id, 55498u);
    EXPECT_EQ(counter.next(), 34002u);
}

TEST(FolderKeyboard, TypedCharacterChoosesAnEntry) {
    EXPECT_EQ(labelMnemonic("開く(&O)"), 'o');
    EXPECT_EQ(labelMnemonic("日本"), 0);
    EXPECT_EQ(labelMnemonic("a&"), 0);
    EXPECT_EQ(withoutMnemonics("開く(&O)"), "開く(O)");
    EXPECT_EQ(withoutMnemonics("&R&&D ソ&"), "R&D ソ");

    std::vector<menuCharEntry> page{{"開く(&O)", true, false}, {"", true, false}, {"&beta", true, false},
                                    {"&bin", true, true}, {"&Alpha", false, false}, {"&zeta", true, false}};
    menuCharResult one = chooseByCharacter(page, 'Z');
    EXPECT_EQ(one.action, menuCharAction::execute);
    EXPECT_EQ(one.position, 5);
    menuCharResult wraps = chooseByCharacter(page, 'b');  // "&bin" is highlighted: back to "&beta"
    EXPECT_EQ(wraps.action, menuCharAction::select);
    EXPECT_EQ(wraps.position, 2);
    EXPECT_EQ(chooseByCharacter(page, 'a').action, menuCharAction::ignore);  // disabled
    menuCharResult blank = chooseByCharacter(page, ' ');
    EXPECT_EQ(blank.action, menuCharAction::execute);
    EXPECT_EQ(blank.position, 3);

    page.push_back({continuationEntryLabel, true, false});
    menuCharResult next = chooseByCharacter(page, 'q');
    EXPECT_EQ(next.action, menuCharAction::execute);
    EXPECT_EQ(next.position, 6);
}
