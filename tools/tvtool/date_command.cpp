// tvtool date: expands a format of the date items' current language, so a user
// can try a format (or a script can stamp a file) without opening the menu.
#include <cstdio>
#include <string>
#include <vector>

#include "popup/date_format.h"
#include "popup/local_clock.h"
#include "tools/tvtool/commands.h"

namespace tvtool {

namespace {

const char usage[] = "usage: tvtool date FORMAT [--at \"YYYY-MM-DD HH:MM:SS\"]\n";

bool readDigits(const std::string& text, size_t pos, size_t count, int& value) {
    value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// Reads exactly "YYYY-MM-DD HH:MM:SS"; whether the moment exists is checked apart.
bool parseMoment(const std::string& text, tv::localTime& t) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return false;
    return readDigits(text, 0, 4, t.year) && readDigits(text, 5, 2, t.month) &&
           readDigits(text, 8, 2, t.day) && readDigits(text, 11, 2, t.hour) &&
           readDigits(text, 14, 2, t.minute) && readDigits(text, 17, 2, t.second);
}

}  // namespace

int runDate(const std::vector<std::string>& args) {
    const std::string* format = nullptr;
    const std::string* at = nullptr;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--at") {
            if (at || i + 1 >= args.size()) {
                std::fputs(at ? "tvtool date: --at given twice\n" : "tvtool date: --at needs a value\n",
                           stderr);
                std::fputs(usage, stderr);
                return 2;
            }
            at = &args[++i];
        } else if (!format) {
            format = &args[i];
        } else {
            std::fprintf(stderr, "tvtool date: unexpected argument '%s'\n", args[i].c_str());
            std::fputs(usage, stderr);
            return 2;
        }
    }
    if (!format) {
        std::fputs(usage, stderr);
        return 2;
    }

    tv::localTime moment;
    if (at) {
        if (!parseMoment(*at, moment)) {
            std::fprintf(stderr, "tvtool date: '%s' is not of the form YYYY-MM-DD HH:MM:SS\n",
                         at->c_str());
            return 2;
        }
        if (!tv::isValidLocalTime(moment)) {
            std::fprintf(stderr,
                         "tvtool date: '%s' is no such date and time (years 0001 to 9999, "
                         "hours 00 to 23)\n",
                         at->c_str());
            return 2;
        }
        tv::fillCalendarFields(moment);
        tv::fillZoneAt(moment);
    } else {
        moment = tv::currentLocalTime();
    }

    // A line of its own, so a shell prompt or the next output does not join it;
    // "$(tvtool date ...)" drops the newline again.
    const std::string text = tv::expandDateTime(*format, moment) + '\n';
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("tvtool date: could not write the result\n", stderr);
        return 2;
    }
    return 0;
}

}  // namespace tvtool
