#include <iconv.h>

#include <cerrno>
#include <string>

#include "files/code_page.h"

namespace tv {

bool utf8ToCodePage932(std::string_view utf8, std::string& out) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string converted;
    char buffer[4096];
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    bool ok = true;
    while (inLeft > 0) {
        char* next = buffer;
        size_t outLeft = sizeof buffer;
        size_t result = iconv(converter, &in, &inLeft, &next, &outLeft);
        converted.append(buffer, static_cast<size_t>(next - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(converter);
    if (ok) out += converted;
    return ok;
}

}  // namespace tv
