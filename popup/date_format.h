// The date-and-time format languages of the date items, and the "%%d"/"%%t"
// placeholders of phrase items. Everything here works on a broken-down time the
// caller supplies, so the Win32 layer, tvtool and the tests all expand the same
// way; reading the clock and the locale pictures is left to the callers.
#pragma once

#include <string>

namespace tv {

// A local time as the user sees it. weekday and yearDay follow from the date;
// fillCalendarFields computes them.
struct localTime {
    int year = 1970;
    int month = 1;        // 1-12
    int day = 1;          // 1-31
    int hour = 0;         // 0-23
    int minute = 0;       // 0-59
    int second = 0;       // 0-59
    int weekday = 4;      // 0 = Sunday
    int yearDay = 0;      // 0-365, 0 = 1 January
    int utcOffsetMinutes = 0;  // east of UTC, for %z
    std::string zoneName;      // for %Z, as the runtime names the zone
};

// Names of the two languages, indexed by weekday (0 = Sunday) or by month
// (1-12; entry 0 is empty).
extern const char* const japaneseWeekdays[7];    // "日" ... "土", two bytes each
extern const char* const fullWeekdayNames[7];    // "Sunday" ...
extern const char* const shortWeekdayNames[7];   // C locale: "Sun", "Mon", "Tue" ...
extern const char* const oldShortWeekdayNames[7];// the old language: "Tus" for Tuesday
extern const char* const fullMonthNames[13];     // "", "January" ...
extern const char* const shortMonthNames[13];    // "", "Jan" ...

bool isLeapYear(int year);
int daysInMonth(int year, int month);  // 0 for a month outside 1-12
// True when year (1-9999), month, day, hour, minute and second name a real moment.
bool isValidLocalTime(const localTime& t);
// Sets weekday and yearDay from year, month and day (proleptic Gregorian).
void fillCalendarFields(localTime& t);

// The current language: "%f" becomes the Japanese weekday character, then the
// strftime conversions are expanded as the Microsoft runtime does in the "C"
// locale, "#" flag included; "%EC", "%Ey" and "%EY" give the Japanese era (令和,
// 8 or 元, 令和8年). Formats shorter than two bytes come back as they are.
// The result is never cut, however long it grows.
std::string expandDateTime(const std::string& format, const localTime& t);

// Replaces every "%%d" by longDate, then every "%%t" by time. Inserted text is
// not searched again by the same pass.
std::string expandPlaceholders(const std::string& text, const std::string& longDate,
                               const std::string& time);

// The old language's name tokens, applied after the Windows date and time
// pictures: "ww"/"w" become the full/short weekday name and "vv"/"v" the
// full/short month name. weekday is 0-6 (0 = Sunday), month 1-12.
std::string replaceOldNameTokens(const std::string& text, int weekday, int month);

}  // namespace tv
