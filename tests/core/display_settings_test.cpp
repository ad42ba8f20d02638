#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "shell/dpi_scale.h"
#include "shell/setting_ranges.h"
#include "widgets/screen_fit.h"

// A hand-edited tv2.ini, or one an older copy wrote: a value beyond a bound is
// that bound, never the default; the values with a meaning of their own stay
// (any negative count is "no bound", 0 "no limit", a negative size refuses all).
TEST(SettingRanges, BeyondTheRangeIsTheNearestBound) {
    using namespace tv::settingRanges;
    EXPECT_EQ(tv::clampToRange(-144, fontHeight), -144);
    EXPECT_EQ(tv::clampToRange(1000000, fontHeight), 144);
    EXPECT_EQ(tv::clampToRange(INT_MIN, fontWeight), 0);
    EXPECT_EQ(tv::clampToRange(0, iMaxViewSize), 40);
    EXPECT_EQ(tv::clampToRange(20000, counts), 10000) << "a bound past the history's 10000 ids";
    EXPECT_EQ(tv::clampToRange(-5, counts), -5);
    EXPECT_EQ(tv::clampToRange(-1, counts), -1);
    EXPECT_EQ(tv::clampToRange(0, iMaxOneOneSize), 0);
    EXPECT_EQ(tv::clampToRange(-3, iMaxOneOneSize), -3);
    EXPECT_EQ(tv::clampToRange(99999, iMaxOneOneSize), 99999) << "as the history settings dialog stores it";
    EXPECT_EQ(tv::clampToRange(3000000, iMaxOneClipSize), 3000000);
    EXPECT_EQ(tv::clampToRange(-7, iMaxOneClipSize), -7);
    EXPECT_EQ(tv::clampToRange(-60, splitter), -60) << "a splitter dragged left";
    EXPECT_EQ(tv::clampToRange(-40000, windowCoordinate), -32768);
    EXPECT_EQ(tv::clampToRange(9, ShowMenuPosMode), 6);
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

// A window saved where no monitor is now (or at -32768) opens where its title
// bar can be taken hold of; one that can already be reached stays put.
TEST(ScreenFit, AWindowOutOfReachMovesOntoTheWorkArea) {
    const tv::screenRect work{0, 0, 1024, 700};
    auto fit = [&](tv::screenRect window) {
        tv::screenRect r = tv::reachableWindow(window, work, 24);
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    EXPECT_EQ(fit({100, 50, 500, 350}), "100,50,500,350");
    EXPECT_EQ(fit({-300, 50, 100, 350}), "-300,50,100,350") << "100 pixels of title bar show";
    EXPECT_EQ(fit({900, 50, 1300, 350}), "900,50,1300,350");
    EXPECT_EQ(fit({-32768, -32768, -32368, -32468}), "0,0,400,300");
    EXPECT_EQ(fit({1500, 200, 1900, 500}), "624,200,1024,500") << "a monitor since unplugged on the right";
    EXPECT_EQ(fit({100, 690, 500, 990}), "100,400,500,700") << "the title bar below the work area's bottom";
    EXPECT_EQ(fit({100, -10, 500, 290}), "100,0,500,300") << "the title bar above the top";
    EXPECT_EQ(fit({1010, 50, 1410, 350}), "624,50,1024,350") << "only 14 pixels of title bar show";
    EXPECT_EQ(fit({-3000, -20, 2000, 1000}), "0,0,5000,1020") << "larger than the work area: its top-left corner in";
}
