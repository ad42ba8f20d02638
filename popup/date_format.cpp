// Portable logic of this subsystem: the date-and-time format languages.
//
// The current language used to be handed to the runtime's strftime. We expand
// it ourselves instead, the way the Microsoft runtime does in the "C" locale, so
// the program, tvtool and the native tests agree byte for byte whatever C
// library they are linked with, and so no fixed output buffer can cut the text.
#include "popup/date_format.h"

#include <tuple>

#include "files/cp932.h"

namespace tv {

const char* const japaneseWeekdays[7] = {"日", "月", "火", "水", "木", "金", "土"};
const char* const fullWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};
const char* const shortWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
// Users of the old language have formats that rely on this spelling.
const char* const oldShortWeekdayNames[7] = {"Sun", "Mon", "Tus", "Wed", "Thu", "Fri", "Sat"};
const char* const fullMonthNames[13] = {"",        "January",  "February", "March",  "April",
                                        "May",     "June",     "July",     "August", "September",
                                        "October", "November", "December"};
const char* const shortMonthNames[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
    long long y = month <= 2 ? year - 1 : year;
    long long era = (y >= 0 ? y : y - 399) / 400;
    long long yearOfEra = y - era * 400;
    long long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int weekdayOf(int year, int month, int day) {
    long long w = (daysFromCivil(year, month, day) + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(w < 0 ? w + 7 : w);
}

// Indexes into the name tables stay in range whatever the caller's fields hold.
int wrapWeekday(int weekday) { return ((weekday % 7) + 7) % 7; }

const char* monthName(const char* const table[13], int month) {
    return month >= 1 && month <= 12 ? table[month] : "";
}

// The number in decimal, zero-padded to width; the "#" flag drops the padding.
void appendNumber(std::string& out, long long value, int width, bool noLeadingZeros,
                  char pad = '0') {
    std::string digits;
    unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : value;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) out += '-';
    if (!noLeadingZeros)
        for (int n = static_cast<int>(digits.size()); n < width; ++n) out += pad;
    out += digits;
}

int hour12(int hour) {
    int h = hour % 12;
    return h == 0 ? 12 : h;
}

// Weeks of the year whose first Sunday (or Monday) starts week 1; the days
// before it are week 0.
int sundayWeek(const localTime& t) { return (t.yearDay + 7 - wrapWeekday(t.weekday)) / 7; }
int mondayWeek(const localTime& t) {
    return (t.yearDay + 7 - (wrapWeekday(t.weekday) + 6) % 7) / 7;
}

int isoWeeksInYear(int year) {
    int jan1 = weekdayOf(year, 1, 1);
    return jan1 == 4 || (jan1 == 3 && isLeapYear(year)) ? 53 : 52;
}

// ISO 8601 week: weeks start on Monday and week 1 holds the year's first
// Thursday, so the first and last days of a year may belong to its neighbour.
void isoWeek(const localTime& t, int& weekYear, int& week) {
    int mondayBased = (wrapWeekday(t.weekday) + 6) % 7;
    weekYear = t.year;
    week = (t.yearDay - mondayBased + 10) / 7;
    if (week < 1) {
        --weekYear;
        week = isoWeeksInYear(weekYear);
    } else if (week > isoWeeksInYear(t.year)) {
        ++weekYear;
        week = 1;
    }
}

// The long date of the "C" locale, picture "dddd, MMMM dd, yyyy". The "#" that
// selects it does not also strip the zero of "dd": the picture asks for two digits.
void appendLongDate(std::string& out, const localTime& t) {
    out += fullWeekdayNames[wrapWeekday(t.weekday)];
    out += ", ";
    out += monthName(fullMonthNames, t.month);
    out += ' ';
    appendNumber(out, t.day, 2, false);
    out += ", ";
    appendNumber(out, t.year, 4, false);
}

void appendTime(std::string& out, const localTime& t, bool noLeadingZeros) {
    appendNumber(out, t.hour, 2, noLeadingZeros);
    out += ':';
    appendNumber(out, t.minute, 2, noLeadingZeros);
    out += ':';
    appendNumber(out, t.second, 2, noLeadingZeros);
}

void appendShortDate(std::string& out, const localTime& t, bool noLeadingZeros) {
    appendNumber(out, t.month, 2, noLeadingZeros);
    out += '/';
    appendNumber(out, t.day, 2, noLeadingZeros);
    out += '/';
    appendNumber(out, t.year % 100, 2, noLeadingZeros);
}

void appendUtcOffset(std::string& out, int minutesEast) {
    out += minutesEast < 0 ? '-' : '+';
    int magnitude = minutesEast < 0 ? -minutesEast : minutesEast;
    appendNumber(out, magnitude / 60, 2, false);
    appendNumber(out, magnitude % 60, 2, false);
}

// The eras of the Japanese calendar and the days they began, oldest first.
struct japaneseEra {
    const char* name;
    int year, month, day;
};
const japaneseEra japaneseEras[] = {
    {"明治", 1868, 1, 25}, {"大正", 1912, 7, 30}, {"昭和", 1926, 12, 25},
    {"平成", 1989, 1, 8},  {"令和", 2019, 5, 1},
};

const japaneseEra* eraOf(const localTime& t) {
    const japaneseEra* found = nullptr;
    for (const japaneseEra& era : japaneseEras)
        if (std::tie(t.year, t.month, t.day) >= std::tie(era.year, era.month, era.day)) found = &era;
    return found;
}

// "%EC", "%Ey" and "%EY" as the Japanese locale writes them: 令和, 8 and 令和8年,
// the first year of an era being 元. Before 明治 there is no era name, and the
// year is the Western one, so "%EC%Ey年" and "%EY" still read 1867年.
void appendEra(std::string& out, char conversion, const localTime& t) {
    const japaneseEra* era = eraOf(t);
    if (era && conversion != 'y') out += era->name;
    if (conversion == 'C') return;
    const int year = era ? t.year - era->year + 1 : t.year;
    if (year == 1 && era)
        out += "元";
    else
        appendNumber(out, year, 1, true);
    if (conversion == 'Y') out += "年";
}

// One conversion. alt is the "#" flag: it strips leading zeros (or the space of
// %e) from numeric fields, selects the long forms of %c and %x, and is ignored
// by the others, as the Microsoft runtime documents. An undefined conversion
// character appends nothing.
void appendConversion(std::string& out, char conversion, bool alt, const localTime& t) {
    switch (conversion) {
    case 'a': out += shortWeekdayNames[wrapWeekday(t.weekday)]; break;
    case 'A': out += fullWeekdayNames[wrapWeekday(t.weekday)]; break;
    case 'b':
    case 'h': out += monthName(shortMonthNames, t.month); break;
    case 'B': out += monthName(fullMonthNames, t.month); break;
    case 'c':
        if (alt) {
            appendLongDate(out, t);
            out += ' ';
            appendTime(out, t, false);
        } else {
            appendShortDate(out, t, false);
            out += ' ';
            appendTime(out, t, false);
        }
        break;
    case 'C': appendNumber(out, t.year / 100, 2, alt); break;
    case 'd': appendNumber(out, t.day, 2, alt); break;
    case 'D': appendShortDate(out, t, alt); break;
    case 'e': appendNumber(out, t.day, 2, alt, ' '); break;
    case 'F':
        appendNumber(out, t.year, 4, alt);
        out += '-';
        appendNumber(out, t.month, 2, alt);
        out += '-';
        appendNumber(out, t.day, 2, alt);
        break;
    case 'g':
    case 'G': {
        int weekYear = 0, week = 0;
        isoWeek(t, weekYear, week);
        if (conversion == 'g')
            appendNumber(out, ((weekYear % 100) + 100) % 100, 2, false);
        else
            appendNumber(out, weekYear, 4, false);
        break;
    }
    case 'H': appendNumber(out, t.hour, 2, alt); break;
    case 'I': appendNumber(out, hour12(t.hour), 2, alt); break;
    case 'j': appendNumber(out, t.yearDay + 1, 3, alt); break;
    case 'm': appendNumber(out, t.month, 2, alt); break;
    case 'M': appendNumber(out, t.minute, 2, alt); break;
    case 'n': out += '\n'; break;
    case 'p': out += t.hour < 12 ? "AM" : "PM"; break;
    case 'r':
        appendNumber(out, hour12(t.hour), 2, alt);
        out += ':';
        appendNumber(out, t.minute, 2, alt);
        out += ':';
        appendNumber(out, t.second, 2, alt);
        out += t.hour < 12 ? " AM" : " PM";
        break;
    case 'R':
        appendNumber(out, t.hour, 2, alt);
        out += ':';
        appendNumber(out, t.minute, 2, alt);
        break;
    case 'S': appendNumber(out, t.second, 2, alt); break;
    case 't': out += '\t'; break;
    case 'T': appendTime(out, t, alt); break;
    case 'u': {
        int weekday = wrapWeekday(t.weekday);
        appendNumber(out, weekday == 0 ? 7 : weekday, 1, false);
        break;
    }
    case 'U': appendNumber(out, sundayWeek(t), 2, alt); break;
    case 'V': {
        int weekYear = 0, week = 0;
        isoWeek(t, weekYear, week);
        appendNumber(out, week, 2, alt);
        break;
    }
    case 'w': appendNumber(out, wrapWeekday(t.weekday), 1, false); break;
    case 'W': appendNumber(out, mondayWeek(t), 2, alt); break;
    case 'x':
        if (alt)
            appendLongDate(out, t);
        else
            appendShortDate(out, t, false);
        break;
    case 'X': appendTime(out, t, false); break;
    case 'y': appendNumber(out, ((t.year % 100) + 100) % 100, 2, alt); break;
    case 'Y': appendNumber(out, t.year, 4, alt); break;
    case 'z': appendUtcOffset(out, t.utcOffsetMinutes); break;
    case 'Z': out += t.zoneName; break;
    case '%': out += '%'; break;
    default: break;
    }
}

// Expands the conversions of a format that has been through the "%f" pass.
std::string expandConversions(const std::string& format, const localTime& t) {
    std::string out;
    out.reserve(format.size() * 2 + 20);
    const size_t size = format.size();
    for (size_t i = 0; i < size; ++i) {
        char c = format[i];
        if (c != '%') {
            // A double-byte character is copied whole: its trail byte may look
            // like ASCII (0x5C in ソ), but it is never a conversion.
            out += c;
            if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < size) out += format[++i];
            continue;
        }
        // After "%": the "#" flag and the E and O modifiers, in any order. E makes
        // C, y and Y the Japanese era; otherwise the modifiers change nothing in
        // the "C" locale.
        bool alt = false, eraForm = false;
        ++i;
        while (i < size && (format[i] == '#' || format[i] == 'E' || format[i] == 'O')) {
            if (format[i] == '#') alt = true;
            if (format[i] == 'E') eraForm = true;
            ++i;
        }
        if (i >= size) break;  // a "%" at the very end vanishes
        char conversion = format[i];
        if (isLeadByte(static_cast<unsigned char>(conversion))) {
            // Not a conversion; it vanishes with its "%", and takes its trail
            // byte along so no half character is left behind.
            if (i + 1 < size) ++i;
            continue;
        }
        if (eraForm && (conversion == 'C' || conversion == 'y' || conversion == 'Y'))
            appendEra(out, conversion, t);
        else
            appendConversion(out, conversion, alt, t);
    }
    return out;
}

// Copies text, replacing every occurrence of letter by single and every doubled
// letter by doubled, leftmost first. Double-byte characters are stepped over
// whole, so a trail byte such as the 0x76 of プ is not taken for a token.
std::string replaceLetterTokens(const std::string& text, char letter, const std::string& doubled,
                                const std::string& single) {
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == letter && i + 1 < text.size() && text[i + 1] == letter) {
            out += doubled;
            ++i;
        } else if (c == letter) {
            out += single;
        } else {
            out += c;
        }
    }
    return out;
}

// Replaces every token by replacement, leftmost first, resuming after what was
// inserted so a replacement that contains the token cannot loop. "%" is never
// a trail byte of code page 932, so a plain byte search cannot match inside a
// double-byte character.
std::string replaceEvery(const std::string& text, const std::string& token,
                         const std::string& replacement) {
    std::string out;
    size_t from = 0;
    for (size_t pos = text.find(token); pos != std::string::npos; pos = text.find(token, from)) {
        out.append(text, from, pos - from);
        out += replacement;
        from = pos + token.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValidLocalTime(const localTime& t) {
    return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 &&
           t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

void fillCalendarFields(localTime& t) {
    t.weekday = weekdayOf(t.year, t.month, t.day);
    t.yearDay = static_cast<int>(daysFromCivil(t.year, t.month, t.day) -
                                 daysFromCivil(t.year, 1, 1));
}

std::string expandDateTime(const std::string& format, const localTime& t) {
    if (format.size() < 2) return format;

    // "%f" is ours, not the runtime's, so it is replaced before the conversions
    // are read. The scan looks for the two bytes alone: in "%%f" the second "%"
    // and the f are taken, leaving a "%" before the weekday character, which then
    // vanishes with it. Users' formats depend on this, so it stays.
    std::string prepared = format;
    const char* weekdayChar = japaneseWeekdays[wrapWeekday(t.weekday)];
    for (size_t i = 0; i + 1 < prepared.size(); ++i) {
        if (prepared[i] == '%' && prepared[i + 1] == 'f') {
            prepared[i] = weekdayChar[0];
            prepared[i + 1] = weekdayChar[1];
            ++i;
        }
    }
    return expandConversions(prepared, t);
}

std::string expandPlaceholders(const std::string& text, const std::string& longDate,
                               const std::string& time) {
    return replaceEvery(replaceEvery(text, "%%d", longDate), "%%t", time);
}

std::string replaceOldNameTokens(const std::string& text, int weekday, int month) {
    // Weekday names hold no lowercase "w" or "v", so the weekday pass cannot
    // create month tokens. In one left-to-right pass "vv" is taken before "v",
    // which also keeps the "v" of an inserted "November" from becoming "Nov".
    int w = wrapWeekday(weekday);
    std::string named =
        replaceLetterTokens(text, 'w', fullWeekdayNames[w], oldShortWeekdayNames[w]);
    return replaceLetterTokens(named, 'v', monthName(fullMonthNames, month),
                               monthName(shortMonthNames, month));
}

}  // namespace tv
