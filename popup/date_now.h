// Date and time expansion at this moment, in the language the settings choose:
// the strftime-like current language, or the old Windows pictures.
#pragma once

#include <string>

namespace tv {

std::string expandDateTimeNow(const std::string& format);
// What "%%d" and "%%t" in phrases stand for now: the system's long date and time.
void placeholderDatesNow(std::string& longDate, std::string& time);
// The old language: Windows time and date pictures, then the English name tokens.
std::string expandOldDateTime(const std::string& format);

}  // namespace tv
