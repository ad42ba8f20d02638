// sysdate: prints the system's long date and its time as the locale formats them
// (what "%%d" and "%%t" insert), one per line, as code page 932 bytes.
#include "helper_common.h"

int main()
{
    char date[256] = "";
    char time[256] = "";
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return write_whole_file("-", std::string(date) + "\n" + time + "\n") ? 0 : 1;
}
