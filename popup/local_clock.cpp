// The local clock through the C library, for the date items and tvtool date.
#include "popup/local_clock.h"

#include <ctime>

namespace tv {

namespace {

// Sets the offset and zone name from a local time the C library has filled.
void takeZone(const std::tm& local, std::time_t when, localTime& t) {
    std::tm utc{};
    if (const std::tm* converted = std::gmtime(&when)) utc = *converted;
    // Local and UTC lie less than a day apart, so the day difference is -1, 0 or 1.
    int dayDifference = local.tm_yday - utc.tm_yday;
    if (local.tm_year != utc.tm_year) dayDifference = local.tm_year > utc.tm_year ? 1 : -1;
    t.utcOffsetMinutes = dayDifference * 24 * 60 + (local.tm_hour - utc.tm_hour) * 60 +
                         (local.tm_min - utc.tm_min);
#ifdef _WIN32
    t.zoneName = _tzname[local.tm_isdst > 0 ? 1 : 0];
#else
    t.zoneName = local.tm_zone ? local.tm_zone : tzname[local.tm_isdst > 0 ? 1 : 0];
#endif
}

// The zone in effect at the given local time. The Microsoft runtime converts
// only 1970 to 3000; outside that the zone of the present moment is used.
}  // namespace

void fillZoneAt(localTime& t) {
    std::tm wanted{};
    wanted.tm_year = t.year - 1900;
    wanted.tm_mon = t.month - 1;
    wanted.tm_mday = t.day;
    wanted.tm_hour = t.hour;
    wanted.tm_min = t.minute;
    wanted.tm_sec = t.second;
    wanted.tm_isdst = -1;
    std::time_t when = std::mktime(&wanted);
    if (when == static_cast<std::time_t>(-1)) when = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&when)) local = *converted;
    takeZone(local, when, t);
}

localTime currentLocalTime() {
    std::time_t when = std::time(nullptr);
    std::tm local{};
    if (const std::tm* converted = std::localtime(&when)) local = *converted;
    localTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    // A leap second is shown as the last ordinary one, as the menu's clock does.
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;
    fillCalendarFields(t);
    takeZone(local, when, t);
    return t;
}

}  // namespace tv
