// UTF-8 to code page 932, for data files that an editor saved as UTF-8. The
// conversion itself is the platform's (Windows' code page tables, iconv
// elsewhere); telling valid UTF-8 from other bytes is portable.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Well-formed UTF-8: no stray trail bytes, overlong forms, surrogates or values
// beyond U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Converts valid UTF-8 and appends it to `out`; false (with `out` unchanged) when
// a character has no code page 932 form.
bool utf8ToCodePage932(std::string_view utf8, std::string& out);

}  // namespace tv
