// The date formats on any format string at any valid moment: the first bytes
// choose the moment and the zone, the rest is the format. The same text also
// goes through the fill-ins of phrases, its own labels answered.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "popup/date_format.h"
#include "popup/fill_ins.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 10) return 0;
    tv::localTime t;
    t.year = 1 + (data[0] | data[1] << 8) % 9999;
    t.month = 1 + data[2] % 12;
    t.day = 1 + data[3] % tv::daysInMonth(t.year, t.month);
    t.hour = data[4] % 24;
    t.minute = data[5] % 60;
    t.second = data[6] % 60;
    t.utcOffsetMinutes = static_cast<int8_t>(data[7]) * 7;  // within 15 hours either way
    t.zoneName.assign(reinterpret_cast<const char*>(data + 8), data[9] % 3);
    tv::fillCalendarFields(t);
    std::string format(reinterpret_cast<const char*>(data + 10), size - 10);

    std::string current = tv::expandDateTime(format, t);
    std::string placed = tv::expandPlaceholders(format, current, tv::expandDateTime("%X", t));
    tv::replaceOldNameTokens(placed, t.weekday, t.month);

    tv::fillInValues values{current, placed, format, tv::fillInLabels(format)};
    tv::filledText filled = tv::fillIn(format, values);
    if (filled.caretSteps > filled.text.size() || (!filled.hasCaretMark && filled.caretSteps != 0)) std::abort();
    return 0;
}
