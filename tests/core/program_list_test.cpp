// The program lists of tv2.ini ([Clip] ExcludeApps): which copies stay out of
// the history, and the list as it is written back.
#include <gtest/gtest.h>

#include "files/program_list.h"

namespace {

TEST(ProgramList, MatchesTheFileNameOfAPathWithoutCase) {
    const std::string list = "keepass.exe; 1Password.EXE ;;notepad.exe";
    EXPECT_TRUE(tv::programListHas(list, "C:\\Program Files\\KeePass\\KeePass.exe"));
    EXPECT_TRUE(tv::programListHas(list, "c:/apps/1password.exe"));
    EXPECT_TRUE(tv::programListHas(list, "NOTEPAD.EXE"));
    EXPECT_FALSE(tv::programListHas(list, "C:\\windows\\notepad.exe.bak"));
    EXPECT_FALSE(tv::programListHas(list, "C:\\keepass.exe\\other.exe"));
    EXPECT_FALSE(tv::programListHas(list, ""));
    EXPECT_FALSE(tv::programListHas("", "notepad.exe"));
    EXPECT_FALSE(tv::programListHas(";;", "C:\\dir\\"));
}

// 表 is 0x95 0x5C: its second byte is no folder separator, and the second bytes
// 0x41 and 0x61 are different characters (\x83\x41 ア, \x83\x61 チ), not one letter in two cases.
TEST(ProgramList, DoubleByteNamesAreComparedWhole) {
    EXPECT_TRUE(tv::programListHas("\x95\x5C.exe", "C:\\\x95\x5C\\\x95\x5C.exe"));
    EXPECT_FALSE(tv::programListHas("\x95\x5C.exe", "C:\\\x95\x5C"));
    EXPECT_FALSE(tv::programListHas("\x83\x41.exe", "\x83\x61.exe"));
    EXPECT_TRUE(tv::programListHas("\x83\x41.EXE", "\x83\x41.exe"));
    // A name that only ends another one is not it.
    EXPECT_FALSE(tv::programListHas("フト.exe", "C:\\ソフト.exe"));
}

TEST(ProgramList, WrittenBackInTheUsersOrderWithoutEmptyNames) {
    EXPECT_EQ(tv::tidyProgramList(" zeta.exe ;;Alpha.exe; \t;mid.exe;"), "zeta.exe;Alpha.exe;mid.exe");
    EXPECT_EQ(tv::tidyProgramList(""), "");
    EXPECT_EQ(tv::tidyProgramList(" ; "), "");
}

}  // namespace
