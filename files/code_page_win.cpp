#include <windows.h>

#include <string>

#include "files/code_page.h"

namespace tv {

bool utf8ToCodePage932(std::string_view utf8, std::string& out) {
    if (utf8.empty()) return true;
    const int length = static_cast<int>(utf8.size());
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, &wide[0], wideLength);

    BOOL usedDefault = FALSE;
    int narrowLength = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr,
                                           &usedDefault);
    if (narrowLength <= 0 || usedDefault) return false;
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &narrow[0], narrowLength, nullptr,
                        &usedDefault);
    if (usedDefault) return false;
    // A character that came out as a look-alike would not read back the same.
    int backLength = MultiByteToWideChar(932, 0, narrow.data(), narrowLength, nullptr, 0);
    std::wstring back(static_cast<size_t>(backLength > 0 ? backLength : 0), L'\0');
    if (backLength > 0) MultiByteToWideChar(932, 0, narrow.data(), narrowLength, &back[0], backLength);
    if (back != wide) return false;
    out += narrow;
    return true;
}

}  // namespace tv
