// Date and time expansion at this moment, in the language the settings choose:
// the strftime-like current language, or the old Windows pictures.
#pragma once

#include <string>

namespace tv {

std::string expandDateTimeNow(const std::string& format);
// "%%d" and "%%t" in phrases: the system's long date and time.
std::string expandPlaceholdersNow(const std::string& text);
// The old language: Windows time and date pictures, then the English name tokens.
std::string expandOldDateTime(const std::string& format);

}  // namespace tv
