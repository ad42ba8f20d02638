#include "shell/setting_ranges.h"

namespace tv {

int clampToRange(int value, const settingRange& range) {
    if (value < range.low) return range.low;
    if (value > range.high) return range.high;
    return value;
}

}  // namespace tv
