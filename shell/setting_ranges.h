// The numbers of tv2.ini and the ranges the program can use them in. The file
// is edited by hand and written by older copies, and a font a million pixels
// high or a menu entry 0 pixels wide leaves the menu a blank strip. A value
// beyond a bound is taken as that bound, the nearest one the program can use,
// so a setting is never thrown back to a smaller default: a history the user
// made large stays as large as it can be. The dialogs that edit these keys hold
// their fields to the same ranges, so what they store is what the next start
// reads.
#pragma once

#include <climits>

#include "model/id_allocator.h"

namespace tv {

struct settingRange {
    int low;
    int high;
    int fallback;  // the key's default, when the file does not hold it
};

// The value, or the bound it lies beyond.
int clampToRange(int value, const settingRange& range);

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
// Window rectangles, screen pixels; a splitter's distance from its place in the
// template, negative when it was dragged left.
constexpr settingRange windowCoordinate{-32768, 32767, 0};
constexpr settingRange splitter{-32768, 32767, 0};
// [Clip]. Any negative count means no bound; a bound of more entries than the
// history has ids for would let a capture cut nothing while ids ran out.
constexpr settingRange counts{INT_MIN, historyIdLimit - firstHistoryId, 250};
// Every number has a meaning: KB (0 no limit, negative refuses every text);
// entries per submenu (0 or negative: no cap); entries per column (0 or
// negative: one column).
constexpr settingRange iMaxOneClipSize{INT_MIN, INT_MAX, 32};
constexpr settingRange iMaxOneOneSize{INT_MIN, INT_MAX, 20};
constexpr settingRange ret_counts{INT_MIN, INT_MAX, 0};
}  // namespace settingRanges

}  // namespace tv
