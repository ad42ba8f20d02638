// Programs where abbreviations never expand ([Abbrev] Exclude= of tv2.ini):
// a ";"-separated list of program file names, compared without regard to case.
#pragma once

#include <string_view>

namespace tv {

// Whether the program at `imagePath` (a full path or a bare file name, code
// page 932) is one of `excludeList`. Only ASCII letters are folded, and never a
// trail byte, which may look like one.
bool isExcludedProgram(std::string_view excludeList, std::string_view imagePath);

}  // namespace tv
