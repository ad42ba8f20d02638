// Which bytes a data file holds. The program reads and writes code page 932, but
// most editors save UTF-8 today; such a file is taken as the user meant it and
// converted, so the next save writes it as code page 932 again.
#pragma once

#include <cstddef>
#include <string>

namespace tv {

enum class textEncoding { codePage932, utf8, utf8WithBom };
enum class conversionFault { none, invalidUtf8, notInCodePage932 };

struct decodedMenuText {
    textEncoding encoding = textEncoding::codePage932;
    conversionFault fault = conversionFault::none;
    size_t faultLine = 0;  // the first line that cannot be converted (1-based)
    std::string text;      // code page 932
};

// A file is UTF-8 when it begins with a byte-order mark, or when its first line
// is the header written in UTF-8; every other file is code page 932 as it is, so
// files the program wrote read exactly as before. In the content column a
// character the code page lacks becomes its "\u{hex}" escape; anywhere else it
// is a fault, except ¥, which becomes the full-width ￥. Lines are counted as the
// reader counts them: CR, LF and CR LF each end one.
decodedMenuText decodeMenuText(std::string bytes);

}  // namespace tv
