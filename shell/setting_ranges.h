// The numbers of tv2.ini that must stay within reason. The file is edited by
// hand, and a font a million pixels high or a menu entry 0 pixels wide leaves
// the menu a blank strip: a value outside its range is read as the default.
#pragma once

namespace tv {

struct settingRange {
    int low;
    int high;
    int fallback;  // the key's default
};

// The value when low <= value <= high, else the range's default.
int settingInRange(int value, const settingRange& range);

namespace settingRanges {
// Font records: pixels at 96 DPI (a negative height is the character height);
// angles in tenths of a degree.
constexpr settingRange fontHeight{-144, 144, -12};
constexpr settingRange fontWidth{-144, 144, 0};
constexpr settingRange fontAngle{-3600, 3600, 0};
constexpr settingRange fontWeight{0, 1000, 400};
// [set]
constexpr settingRange ShowMenuPosMode{0, 6, 0};
constexpr settingRange ShowAutoPopup{1, 600, 1};  // 100 ms ticks: up to a minute in a corner
constexpr settingRange iMaxViewSize{40, 4000, 200};
// Window rectangles and splitters, screen pixels.
constexpr settingRange windowCoordinate{-32768, 32767, 0};
constexpr settingRange splitter{0, 32767, 0};
// [Clip]. Kilobytes times 1024 must fit an int; a negative size refuses every text.
constexpr settingRange iMaxOneClipSize{-2097151, 2097151, 32};
constexpr settingRange counts{-1, 10000, 250};  // -1: no bound
constexpr settingRange iMaxOneOneSize{0, 10000, 20};
constexpr settingRange ret_counts{-1, 10000, 0};
}  // namespace settingRanges

}  // namespace tv
