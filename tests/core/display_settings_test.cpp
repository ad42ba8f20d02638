#include <gtest/gtest.h>

#include <climits>

#include "shell/dpi_scale.h"
#include "shell/setting_ranges.h"

// A hand-edited tv2.ini: the bounds stay, anything beyond them is the default;
// the documented special values (-1 "no bound", 0 "no limit") stay too.
TEST(SettingRanges, OutsideTheRangeIsTheDefault) {
    using namespace tv::settingRanges;
    EXPECT_EQ(tv::settingInRange(-144, fontHeight), -144);
    EXPECT_EQ(tv::settingInRange(1000000, fontHeight), -12);
    EXPECT_EQ(tv::settingInRange(INT_MIN, fontWeight), 400);
    EXPECT_EQ(tv::settingInRange(0, iMaxViewSize), 200);
    EXPECT_EQ(tv::settingInRange(-1, counts), -1);
    EXPECT_EQ(tv::settingInRange(0, iMaxOneOneSize), 0);
    EXPECT_EQ(tv::settingInRange(INT_MAX / 1024 + 1, iMaxOneClipSize), 32);
}

// 150% rounds half away from zero; a size scaled and scaled back is itself.
TEST(DpiScale, ScalesAndScalesBack) {
    EXPECT_EQ(tv::scaleForDpi(-12, 144), -18);
    EXPECT_EQ(tv::scaleForDpi(19, 144), 29);
    EXPECT_EQ(tv::scaleForDpi(-19, 144), -29);
    EXPECT_EQ(tv::scaleForDpi(200, 0), 200);
    for (int size : {-144, -13, 0, 1, 47, 4000})
        for (int dpi : {96, 120, 144, 192}) EXPECT_EQ(tv::unscaleForDpi(tv::scaleForDpi(size, dpi), dpi), size) << dpi;
}
