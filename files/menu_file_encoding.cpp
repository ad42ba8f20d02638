#include "files/menu_file_encoding.h"

#include <string_view>
#include <utility>

#include "files/byte_scan.h"
#include "files/code_page.h"
#include "files/unicode_escape.h"

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

// The content column: a character the code page lacks is kept as its escape
// there, and anywhere else it makes the file unreadable.
constexpr size_t contentColumn = 2;

void fail(decodedMenuText& decoded, conversionFault fault, size_t line) {
    decoded.fault = fault;
    decoded.faultLine = line;
    decoded.text.clear();
}

// The columns are counted as the reader counts them: leading blanks are
// indentation, and every later TAB starts the next column. Line ends are
// single bytes in both encodings, counted as the reader counts them too.
void convertLines(std::string_view utf8, decodedMenuText& decoded) {
    std::string& out = decoded.text;
    out.reserve(utf8.size());
    size_t line = 1;
    size_t column = 0;
    bool indentation = true;
    for (size_t pos = 0; pos < utf8.size();) {
        const char c = utf8[pos];
        if (c == '\r' || c == '\n') {
            size_t length = lineEndLength(utf8, pos);
            out.append(utf8.substr(pos, length));
            pos += length;
            ++line;
            column = 0;
            indentation = true;
            continue;
        }
        if (static_cast<unsigned char>(c) < 0x80) {
            indentation = indentation && (c == ' ' || c == '\t');
            if (c == '\t' && !indentation) ++column;
            out += c;
            ++pos;
            continue;
        }
        indentation = false;
        size_t start = pos;
        uint32_t codePoint = nextUtf8(utf8, pos);
        // A malformed sequence reads one byte at a time; a character takes at least two.
        if (pos - start == 1) {
            fail(decoded, conversionFault::invalidUtf8, line);
            return;
        }
        if (appendCodePage932(codePoint, out)) continue;
        if (column == contentColumn) {
            appendUnicodeEscape(codePoint, out);
        } else if (codePoint == yenSign) {
            appendPlainCodePage932(codePoint, out);
        } else {
            // A line that is not UTF-8 at all is named as such, as a whole.
            size_t end = findLineEnd(utf8, pos);
            bool valid = isValidUtf8(utf8.substr(pos, end - pos));
            fail(decoded, valid ? conversionFault::notInCodePage932 : conversionFault::invalidUtf8, line);
            return;
        }
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
