// Lists of program file names kept in tv2.ini, such as "keepass.exe;1password.exe".
#pragma once

#include <string>
#include <string_view>

namespace tv {

// The list as it is written back: the names in the user's order, blanks around
// them and empty ones dropped, joined with ";".
std::string tidyProgramList(std::string_view list);
// True when the file name of `programPath` (a full path or a bare name) is one
// of the list's names. Letters compare without case; the second byte of a
// double-byte character is never taken for a letter.
bool programListHas(std::string_view list, std::string_view programPath);

}  // namespace tv
