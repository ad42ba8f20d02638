// Icon files that cannot be reached are asked for once in a run; files that
// are there are asked again, and a file the user picks is asked again too.
#include <gtest/gtest.h>

#include "files/unreadable_files.h"
#include "test_support.h"

namespace {

using tvtest::scratchDir;

TEST(UnreadableFiles, AMissingFileIsAskedOnceAndAPresentOneEveryTime) {
    scratchDir dir;
    const std::string missing = dir.file("gone.ico");
    const std::string present = dir.file("blank.ico");
    std::ofstream(present) << "no icon here";
    int asked = 0;
    auto failingLookUp = [&] { ++asked; return false; };

    EXPECT_FALSE(tv::lookUpUnlessUnreadable(missing, failingLookUp));
    std::ofstream(missing) << "there now";  // too late for this run
    EXPECT_FALSE(tv::lookUpUnlessUnreadable(missing, failingLookUp));
    EXPECT_EQ(asked, 1) << "a file that could not be found was asked for again";

    tv::forgetUnreadable(missing);
    EXPECT_TRUE(tv::lookUpUnlessUnreadable(missing, [] { return true; })) << "a chosen file is asked again";

    asked = 0;
    tv::lookUpUnlessUnreadable(present, failingLookUp);
    tv::lookUpUnlessUnreadable(present, failingLookUp);
    EXPECT_EQ(asked, 2) << "a file that is there but gave no icon is asked again";
}

}  // namespace
