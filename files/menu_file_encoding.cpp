#include "files/menu_file_encoding.h"

#include <string_view>
#include <utility>

#include "files/byte_scan.h"
#include "files/code_page.h"

namespace tv {

namespace {

const std::string_view byteOrderMark = "\xEF\xBB\xBF";
// "0", TAB and メニュー in UTF-8.
const std::string_view utf8Header = "0\t\xE3\x83\xA1\xE3\x83\x8B\xE3\x83\xA5\xE3\x83\xBC";

bool startsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// The reader skips blank lines and leading blanks, so the header may come after them.
bool firstLineIsUtf8Header(std::string_view bytes) {
    size_t start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && startsWith(bytes.substr(start), utf8Header);
}

// Line ends are the same single bytes in both encodings and never part of a
// longer character, so the whole text converts as its lines do; the lines are
// only taken one by one to tell which one holds a fault.
void convertLines(std::string_view utf8, decodedMenuText& decoded) {
    if (isValidUtf8(utf8) && utf8ToCodePage932(utf8, decoded.text)) return;
    size_t lineNumber = 0;
    for (size_t pos = 0; pos < utf8.size();) {
        size_t end = findLineEnd(utf8, pos);
        ++lineNumber;
        std::string_view line = utf8.substr(pos, end - pos);
        if (!isValidUtf8(line)) {
            decoded.fault = conversionFault::invalidUtf8;
        } else if (!utf8ToCodePage932(line, decoded.text)) {
            decoded.fault = conversionFault::notInCodePage932;
        }
        if (decoded.fault != conversionFault::none) {
            decoded.faultLine = lineNumber;
            decoded.text.clear();
            return;
        }
        size_t endLength = lineEndLength(utf8, end);
        decoded.text.append(utf8.substr(end, endLength));
        pos = end + endLength;
    }
}

}  // namespace

decodedMenuText decodeMenuText(std::string bytes) {
    decodedMenuText decoded;
    std::string_view view = bytes;
    if (startsWith(view, byteOrderMark)) {
        decoded.encoding = textEncoding::utf8WithBom;
        view.remove_prefix(byteOrderMark.size());
    } else if (firstLineIsUtf8Header(view)) {
        decoded.encoding = textEncoding::utf8;
    } else {
        decoded.text = std::move(bytes);
        return decoded;
    }
    convertLines(view, decoded);
    return decoded;
}

}  // namespace tv
