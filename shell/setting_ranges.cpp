#include "shell/setting_ranges.h"

namespace tv {

int settingInRange(int value, const settingRange& range) {
    return value >= range.low && value <= range.high ? value : range.fallback;
}

}  // namespace tv
