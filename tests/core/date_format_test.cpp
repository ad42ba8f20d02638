// The date items' format languages and the phrase placeholders.
#include "popup/date_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

tv::localTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    tv::localTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    tv::fillCalendarFields(t);
    return t;
}

// Monday 20 May 2002, 15:04:05.
const tv::localTime may20 = at(2002, 5, 20, 15, 4, 5);

std::string expand(const std::string& format, const tv::localTime& t = may20) {
    return tv::expandDateTime(format, t);
}

}  // namespace

TEST(DateCalendar, WeekdayAndYearDayFollowFromTheDate) {
    tv::localTime t = at(2002, 5, 20);
    EXPECT_EQ(t.weekday, 1);
    EXPECT_EQ(t.yearDay, 139);
    EXPECT_EQ(at(1900, 3, 1).weekday, 4);
    EXPECT_EQ(at(1, 1, 1).weekday, 1);
    EXPECT_EQ(at(9999, 12, 31).weekday, 5);
    EXPECT_EQ(at(2024, 12, 31).yearDay, 365);
    EXPECT_EQ(at(2023, 12, 31).yearDay, 364);
}

TEST(DateCalendar, RejectsMomentsThatDoNotExist) {
    EXPECT_TRUE(tv::isValidLocalTime(at(2024, 2, 29, 23, 59, 59)));
    EXPECT_TRUE(tv::isValidLocalTime(at(2000, 2, 29)));
    EXPECT_FALSE(tv::isValidLocalTime(at(1900, 2, 29)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 2, 30)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 4, 31)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 13, 1)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 1, 1, 24)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 1, 1, 0, 60)));
    EXPECT_FALSE(tv::isValidLocalTime(at(2023, 1, 1, 0, 0, 60)));
    EXPECT_FALSE(tv::isValidLocalTime(at(0, 1, 1)));
}

TEST(DateFormat, DefaultFormatOfNewDateItems) {
    EXPECT_EQ(expand("%Y年%m月%d日(%A %a %f曜日) %p %I(%H):%M:%S (%b %B %y)"),
              "2002年05月20日(Monday Mon 月曜日) PM 03(15):04:05 (May May 02)");
}

TEST(DateFormat, PercentFBecomesTheJapaneseWeekday) {
    EXPECT_EQ(expand("%f曜日", at(2002, 5, 21)), "火曜日");
    const char* const expected[7] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int day = 19; day <= 25; ++day)  // Sunday 19 May to Saturday 25 May 2002
        EXPECT_EQ(expand("%f%f", at(2002, 5, day)), std::string(expected[day - 19]) + expected[day - 19])
            << "day " << day;
    // The pass looks only for the two bytes, so "%%f" loses the second "%" and
    // the f; the "%" left before the weekday character takes it along.
    EXPECT_EQ(expand("%%f曜日"), "曜日");
    EXPECT_EQ(expand("a%%fb"), "ab");
    EXPECT_EQ(expand("%%%f"), "%月");
    EXPECT_EQ(expand("%%"), "%");
}

TEST(DateFormat, FormatsShorterThanTwoBytesAreKept) {
    EXPECT_EQ(expand(""), "");
    EXPECT_EQ(expand("%"), "%");
    EXPECT_EQ(expand("Y"), "Y");
    EXPECT_EQ(expand("%Y"), "2002");
}

TEST(DateFormat, UndefinedConversionsVanish) {
    EXPECT_EQ(expand("a%Qb%kc%Ld%1e"), "abcde");
    EXPECT_EQ(expand("%Y%"), "2002");
    EXPECT_EQ(expand("%Y%#"), "2002");
    EXPECT_EQ(expand("x%#Qy"), "xy");
    // A "%" before a double-byte character takes the whole character with it.
    EXPECT_EQ(expand("%表%d"), "20");
    EXPECT_EQ(expand("%#ソ!"), "!");
    EXPECT_EQ(expand("%d%\x83"), "20");
}

TEST(DateFormat, DoubleByteTextPassesThroughWhole) {
    // ソ and 表 end in 0x5C, which must not be read as anything but their half.
    EXPECT_EQ(expand("ソ%d表%m"), "ソ20表05");
    EXPECT_EQ(expand("表\\%H"), "表\\15");
    // A lead byte at the very end is copied as it is.
    EXPECT_EQ(expand("%d\x83"), "20\x83");
    // Bytes that are neither ASCII nor lead bytes (half-width katakana) pass too.
    EXPECT_EQ(expand("\xB1\xB2%M"), "\xB1\xB2" "04");
}

TEST(DateFormat, NamesAreThoseOfTheCLocale) {
    EXPECT_EQ(expand("%a %A", at(2002, 5, 21)), "Tue Tuesday");
    EXPECT_EQ(expand("%b %B %h", at(2002, 11, 5)), "Nov November Nov");
    EXPECT_EQ(expand("%a %A", at(2002, 5, 22)), "Wed Wednesday");
}

TEST(DateFormat, CompositeConversions) {
    const tv::localTime t = at(2002, 5, 6, 7, 8, 9);  // Monday
    EXPECT_EQ(expand("%c", t), "05/06/02 07:08:09");
    EXPECT_EQ(expand("%x", t), "05/06/02");
    EXPECT_EQ(expand("%X", t), "07:08:09");
    EXPECT_EQ(expand("%#c", may20), "Monday, May 20, 2002 15:04:05");
    EXPECT_EQ(expand("%#x", may20), "Monday, May 20, 2002");
    // The long date's picture has a two-digit day, which "#" does not touch.
    EXPECT_EQ(expand("%#x", t), "Monday, May 06, 2002");
    EXPECT_EQ(expand("%#c", t), "Monday, May 06, 2002 07:08:09");
    EXPECT_EQ(expand("%D|%F|%T|%R|%r", t), "05/06/02|2002-05-06|07:08:09|07:08|07:08:09 AM");
    EXPECT_EQ(expand("[%e]|%C|%u|%w", t), "[ 6]|20|1|1");
    EXPECT_EQ(expand("%u%w", at(2002, 5, 19)), "70");
    EXPECT_EQ(expand("a%nb%tc", t), "a\nb\tc");
}

TEST(DateFormat, HashFlagDropsLeadingZeros) {
    const tv::localTime t = at(2005, 1, 6, 7, 8, 9);  // Thursday
    EXPECT_EQ(expand("%#d %#H %#I %#j %#m %#M %#S %#y %#Y", t), "6 7 7 6 1 8 9 5 2005");
    EXPECT_EQ(expand("%#U %#W %#V", t), "1 1 1");
    EXPECT_EQ(expand("[%#e] %#D %#F", t), "[6] 1/6/5 2005-1-6");
    EXPECT_EQ(expand("%#T %#R %#r", t), "7:8:9 7:8 7:8:9 AM");
    EXPECT_EQ(expand("%#M%#S", at(2005, 1, 6, 0, 0, 0)), "00");
    EXPECT_EQ(expand("%#Y", at(999, 3, 1)), "999");
    EXPECT_EQ(expand("%Y", at(999, 3, 1)), "0999");
}

TEST(DateFormat, HashFlagIgnoredOnNamesAndFixedForms) {
    const tv::localTime t = at(2005, 1, 6, 7, 8, 9);
    EXPECT_EQ(expand("%#a %#A %#b %#B %#h %#p %#%", t), "Thu Thursday Jan January Jan AM %");
    EXPECT_EQ(expand("%#X %#u %#w %#g %#G", t), "07:08:09 4 4 05 2005");
}

TEST(DateFormat, ModifierOAndMostEAreIgnored) {
    EXPECT_EQ(expand("%Od %OH %Ec %E#d %#Od %Ex"), "20 15 05/20/02 15:04:05 20 20 05/20/02");
}

// Each era from its first day, the day before it, and the first year written 元.
TEST(DateFormat, JapaneseEras) {
    struct {
        int year, month, day;
        const char* format;
        const char* expected;
    } cases[] = {
        {2019, 4, 30, "%EC|%Ey|%EY", "平成|31|平成31年"},
        {2019, 5, 1, "%EC|%Ey|%EY", "令和|元|令和元年"},
        {2019, 12, 31, "%EY", "令和元年"},
        {2020, 1, 1, "%EY", "令和2年"},
        {2026, 12, 8, "%EY%#m月%#d日", "令和8年12月8日"},
        {1989, 1, 7, "%EY", "昭和64年"},
        {1989, 1, 8, "%EY", "平成元年"},
        {1926, 12, 24, "%EY", "大正15年"},
        {1926, 12, 25, "%EY", "昭和元年"},
        {1912, 7, 29, "%EY", "明治45年"},
        {1912, 7, 30, "%EY", "大正元年"},
        {1868, 1, 25, "%EC%Ey", "明治元"},
        // Before 明治 the year is the Western one, with no era name.
        {1868, 1, 24, "[%EC]%Ey|%EY|%#EY", "[]1868|1868年|1868年"},
        {5, 1, 1, "%EY", "5年"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expand(c.format, at(c.year, c.month, c.day)), c.expected) << c.year << "-" << c.month << "-" << c.day;
}

TEST(DateFormat, TwelveHourClockAroundMidnightAndNoon) {
    EXPECT_EQ(expand("%I %p %H", at(2002, 5, 20, 0, 5)), "12 AM 00");
    EXPECT_EQ(expand("%I %p", at(2002, 5, 20, 11, 59)), "11 AM");
    EXPECT_EQ(expand("%I %p %H", at(2002, 5, 20, 12, 30)), "12 PM 12");
    EXPECT_EQ(expand("%I %p", at(2002, 5, 20, 23, 0)), "11 PM");
    EXPECT_EQ(expand("%r", at(2002, 5, 20, 0, 5)), "12:05:00 AM");
    EXPECT_EQ(expand("%#I", at(2002, 5, 20, 0, 5)), "12");
}

TEST(DateFormat, WeekNumbersAtYearBoundaries) {
    // Friday 1 January 2021: before the first Sunday and Monday, and in ISO week 53 of 2020.
    EXPECT_EQ(expand("%j %U %W %V %G %g", at(2021, 1, 1)), "001 00 00 53 2020 20");
    // Monday 30 December 2024, a leap year: ISO week 1 of 2025.
    EXPECT_EQ(expand("%j %U %W %V %G %g", at(2024, 12, 30)), "365 52 53 01 2025 25");
    EXPECT_EQ(expand("%j", at(2024, 12, 31)), "366");
    // Sunday 1 January 2023 starts Sunday week 1 but belongs to ISO week 52 of 2022.
    EXPECT_EQ(expand("%U %W %V %G", at(2023, 1, 1)), "01 00 52 2022");
    // Monday 2 January 2023 starts ISO week 1 and Monday week 1.
    EXPECT_EQ(expand("%U %W %V %G", at(2023, 1, 2)), "01 01 01 2023");
    // Thursday 31 December 2020 is in the long ISO year's week 53.
    EXPECT_EQ(expand("%V %G", at(2020, 12, 31)), "53 2020");
    // Monday 29 December 2025 is already in 2026's first week.
    EXPECT_EQ(expand("%V %G", at(2025, 12, 29)), "01 2026");
}

TEST(DateFormat, ZoneOffsetAndName) {
    tv::localTime t = may20;
    t.utcOffsetMinutes = 9 * 60;
    t.zoneName = "東京 (標準時)";
    EXPECT_EQ(expand("%z %Z", t), "+0900 東京 (標準時)");
    t.utcOffsetMinutes = -(3 * 60 + 30);
    EXPECT_EQ(expand("%z", t), "-0330");
    t.utcOffsetMinutes = 0;
    t.zoneName.clear();
    EXPECT_EQ(expand("[%z][%Z][%#z]", t), "[+0000][][+0000]");
}

TEST(DateFormat, LongExpansionsAreNeverCut) {
    std::string format;
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        format += "%#c";
        expected += "Monday, May 20, 2002 15:04:05";
    }
    ASSERT_GT(expected.size(), 2 * format.size() + 20);
    EXPECT_EQ(expand(format), expected);
}

TEST(DatePlaceholders, LongDateAndTimeAreInserted) {
    const std::string date = "2002年5月20日";
    const std::string time = "15:04:05";
    EXPECT_EQ(tv::expandPlaceholders("%%d%%t", date, time), date + time);
    EXPECT_EQ(tv::expandPlaceholders("[%%d] [%%t] [%%d]", date, time),
              "[" + date + "] [" + time + "] [" + date + "]");
    EXPECT_EQ(tv::expandPlaceholders("ソ%%d表", date, time), "ソ" + date + "表");
    EXPECT_EQ(tv::expandPlaceholders("", date, time), "");
}

TEST(DatePlaceholders, OnlyTheDoubledPercentIsAPlaceholder) {
    EXPECT_EQ(tv::expandPlaceholders("%d %t %%x %%", "D", "T"), "%d %t %%x %%");
    EXPECT_EQ(tv::expandPlaceholders("%%%d", "D", "T"), "%D");
    EXPECT_EQ(tv::expandPlaceholders("%%%%t", "D", "T"), "%%T");
}

TEST(DatePlaceholders, InsertedTextIsNotSearchedAgain) {
    EXPECT_EQ(tv::expandPlaceholders("a%%db%%d", "<%%d>", "T"), "a<%%d>b<%%d>");
    EXPECT_EQ(tv::expandPlaceholders("%%t", "D", "%%t%%t"), "%%t%%t");
    // Within a pass, an insertion does not join with its neighbours into a new
    // placeholder; the time pass does search the long date's result, though.
    EXPECT_EQ(tv::expandPlaceholders("%%%dd", "%", "T"), "%%d");
    EXPECT_EQ(tv::expandPlaceholders("%%d%t", "%", "T"), "T");
}

TEST(DateOldNameTokens, WeekdayTokens) {
    EXPECT_EQ(tv::replaceOldNameTokens("w", 2, 5), "Tus");
    EXPECT_EQ(tv::replaceOldNameTokens("ww", 2, 5), "Tuesday");
    EXPECT_EQ(tv::replaceOldNameTokens("www", 2, 5), "TuesdayTus");
    EXPECT_EQ(tv::replaceOldNameTokens("(w) ww", 0, 5), "(Sun) Sunday");
    EXPECT_EQ(tv::replaceOldNameTokens("W", 3, 5), "W");
}

TEST(DateOldNameTokens, MonthTokens) {
    EXPECT_EQ(tv::replaceOldNameTokens("vv v", 1, 11), "November Nov");
    EXPECT_EQ(tv::replaceOldNameTokens("vvv", 1, 11), "NovemberNov");
    EXPECT_EQ(tv::replaceOldNameTokens("vv v", 1, 5), "May May");
    EXPECT_EQ(tv::replaceOldNameTokens("2002/v/20 (w)", 1, 9), "2002/Sep/20 (Mon)");
    EXPECT_EQ(tv::replaceOldNameTokens("ww, vv", 2, 11), "Tuesday, November");
}

TEST(DateOldNameTokens, TrailBytesAreNotTokens) {
    // プ is 83 76 ("v") and ヘ is 83 77 ("w"), ソ ends in 0x5C.
    EXPECT_EQ(tv::replaceOldNameTokens("プヘソ w v", 2, 11), "プヘソ Tus Nov");
    EXPECT_EQ(tv::replaceOldNameTokens("", 2, 11), "");
}
