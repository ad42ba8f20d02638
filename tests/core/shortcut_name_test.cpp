// Registered folders' shortcut file names, and the settings dialog's check
// boxes turned into the ShowDrives flag word and back.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "folderpopup/folder_settings.h"
#include "folderpopup/shortcut_name.h"
#include "res/resource.h"

using namespace tv;

TEST(ShortcutName, CharactersNoFileNameHoldsAreReplaced) {
    EXPECT_EQ(shortcutFileName("a:b"), "a b.lnk");
    EXPECT_EQ(shortcutFileName("ローカル ディスク (C:)"), "ローカル ディスク (C ).lnk");
    EXPECT_EQ(shortcutFileName("\"*:;<>?|"), "        .lnk");
    EXPECT_EQ(shortcutFileName("a/b\\c"), "a-b-c.lnk");
    EXPECT_EQ(shortcutFileName("Docs.old"), "Docs.old.lnk");
    EXPECT_EQ(shortcutFileName(""), ".lnk");
}

TEST(ShortcutName, SecondBytesOfDoubleByteCharactersAreKept) {
    // 表 is 0x95 0x5C and ポ 0x83 0x7C: the 0x5C and 0x7C are not \ and |.
    EXPECT_EQ(shortcutFileName("表示"), "表示.lnk");
    EXPECT_EQ(shortcutFileName("ポ|表\\"), "ポ 表-.lnk");
    // A lead byte at the very end has no second byte to protect.
    EXPECT_EQ(shortcutFileName(std::string("a\x95")), std::string("a\x95.lnk"));
}

namespace {

std::map<int, bool> controlsFor(uint32_t flags) {
    std::map<int, bool> checked;
    forEachFlagControl([&](int id) { checked[id] = isFlagControlChecked(flags, id); });
    return checked;
}

uint32_t roundTrip(uint32_t flags) {
    std::map<int, bool> checked = controlsFor(flags);
    return flagWordFromControls([&](int id) { return checked.at(id); });
}

}  // namespace

TEST(FlagControls, DefaultsCheckEveryDriveTheContentsSubmenuAndOpen) {
    std::map<int, bool> checked = controlsFor(folderPopupSettings().ShowDrives);
    ASSERT_EQ(checked.size(), 32u);
    for (int id = IDC_VSET_DRIVE_A; id <= IDC_VSET_DRIVE_Z; ++id) EXPECT_TRUE(checked[id]) << "drive control " << id;
    EXPECT_TRUE(checked[IDC_VSET_CONTENTS]);
    EXPECT_TRUE(checked[IDC_VSET_OPEN_ENTRY]) << "開く is checked while bit 30 is clear";
    for (int id : {IDC_VSET_NO_ICONS, IDC_VSET_HIDE_REGISTERED, IDC_VSET_FILES_IN_FOLDER, IDC_VSET_EXPLORER_ENTRY})
        EXPECT_FALSE(checked[id]) << "control " << id;
}

TEST(FlagControls, ExplorerWithoutOpenSetsTheTwoTopBits) {
    std::map<int, bool> checked = controlsFor(folderPopupSettings().ShowDrives);
    checked[IDC_VSET_OPEN_ENTRY] = false;
    checked[IDC_VSET_EXPLORER_ENTRY] = true;
    uint32_t flags = flagWordFromControls([&](int id) { return checked.at(id); });
    EXPECT_EQ(flags, 134217727u | folderFlag::noOpenEntry | folderFlag::explorerEntry);
    EXPECT_LT(static_cast<int32_t>(flags), 0);
}

TEST(FlagControls, EveryFlagWordSurvivesTheControls) {
    for (uint32_t flags : {0u, 0xFFFFFFFFu, 134217727u, 0x80000001u, 0x40000000u, 0x2A5A5A5Au, 0x15A5A5A5u})
        EXPECT_EQ(roundTrip(flags), flags) << std::hex << flags;
}
