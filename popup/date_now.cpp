#include "popup/date_now.h"

#include <windows.h>

#include "popup/date_format.h"
#include "popup/local_clock.h"
#include "shell/app_state.h"

namespace tv {

namespace {

using pictureFormatter = int(WINAPI*)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int);

// Asks for the size first, so pictures of any length expand in full.
bool formatPicture(pictureFormatter format, DWORD flags, const char* picture, std::string& out) {
    int size = format(LOCALE_SYSTEM_DEFAULT, flags, nullptr, picture, nullptr, 0);
    if (size <= 0) return false;
    std::string buffer(static_cast<size_t>(size), '\0');
    int written = format(LOCALE_SYSTEM_DEFAULT, flags, nullptr, picture, &buffer[0], size);
    if (written <= 0) return false;
    buffer.resize(static_cast<size_t>(written - 1));  // without the terminating zero
    out = buffer;
    return true;
}

}  // namespace

std::string expandOldDateTime(const std::string& format) {
    std::string withTime, withDate;
    if (!formatPicture(GetTimeFormatA, 0, format.c_str(), withTime)) return format;
    if (!formatPicture(GetDateFormatA, 0, withTime.c_str(), withDate)) return format;
    SYSTEMTIME now;
    GetLocalTime(&now);
    return replaceOldNameTokens(withDate, now.wDayOfWeek, now.wMonth);
}

std::string expandDateTimeNow(const std::string& format) {
    if (app().config.bUseOldDateTime) return expandOldDateTime(format);
    return expandDateTime(format, currentLocalTime());
}

void placeholderDatesNow(std::string& longDate, std::string& time) {
    formatPicture(GetDateFormatA, DATE_LONGDATE, nullptr, longDate);
    formatPicture(GetTimeFormatA, 0, nullptr, time);
}

}  // namespace tv
