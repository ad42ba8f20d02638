#include "files/unicode_escape.h"

#include <vector>

#include "files/code_page.h"
#include "files/cp932.h"

namespace tv {

namespace {

constexpr size_t maxEscapeDigits = 6;
constexpr escapeMode textFileMode = escapeMode::textFile;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

enum class escapeShape {
    none,        // no "\u{" at this place
    wellFormed,  // a character's escape
    malformed,   // "\u{" that is no escape: kept as it stands
};

// Looks at `pos`; for a well-formed escape sets the code point and the
// escape's length in bytes.
escapeShape unicodeEscapeAt(std::string_view text, size_t pos, uint32_t& codePoint, size_t& length) {
    if (text.compare(pos, 3, "\\u{") != 0) return escapeShape::none;
    uint32_t value = 0;
    size_t digits = 0;
    size_t i = pos + 3;
    for (; i < text.size() && hexValue(text[i]) >= 0; ++i) {
        if (++digits > maxEscapeDigits) return escapeShape::malformed;
        value = value << 4 | static_cast<uint32_t>(hexValue(text[i]));
    }
    if (digits == 0 || i == text.size() || text[i] != '}') return escapeShape::malformed;
    if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return escapeShape::malformed;
    codePoint = value;
    length = i + 1 - pos;
    return escapeShape::wellFormed;
}

// One character of a text on its way between forms: its code page 932 bytes as
// they stood, so that what the code page holds never changes on the way, or the
// code point of a character from Unicode or from an escape.
struct textUnit {
    uint32_t value;     // the bytes (a pair as lead << 8 | trail), or the code point
    uint8_t byteCount;  // 1 or 2 for bytes, 0 for a code point
};
using textUnits = std::vector<textUnit>;

// The unit's character when it is ASCII, else -1.
int asciiOf(const textUnit& unit) {
    if (unit.byteCount == 2) return -1;
    return unit.value < 0x80 ? static_cast<int>(unit.value) : -1;
}

void appendBytes(const textUnit& unit, std::string& out) {
    if (unit.byteCount == 2) out += static_cast<char>(unit.value >> 8);
    out += static_cast<char>(unit.value & 0xFF);
}

template <class Text, class Next>
textUnits unitsOfUnicode(Text text, Next next) {
    textUnits units;
    units.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) units.push_back({next(text, pos), 0});
    return units;
}

// The content form has no backslash pairs; the escaped form undoes them; the
// shown form keeps them, and writes out only the escapes of characters beyond
// ASCII.
enum class textForm { content, escaped, shown };

// Reads code page 932 text in one of its forms. A lead byte is taken with the
// byte after it, unexamined, as the escapers take it.
textUnits unitsOfCodePage(std::string_view text, textForm form, bool unicodeEscapes, size_t* malformed = nullptr) {
    textUnits units;
    units.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (isLeadByte(byte) && pos + 1 < text.size()) {
            units.push_back({static_cast<uint32_t>(byte << 8 | static_cast<unsigned char>(text[pos + 1])), 2});
            pos += 2;
            continue;
        }
        if (byte == '\\') {
            char produced = form != textForm::content && pos + 1 < text.size() ? unescapedByte(text[pos + 1]) : 0;
            if (produced && form == textForm::shown) {
                units.push_back({byte, 1});
                units.push_back({static_cast<unsigned char>(text[pos + 1]), 1});
                pos += 2;
                continue;
            }
            if (produced) {
                units.push_back({static_cast<unsigned char>(produced), 1});
                pos += 2;
                continue;
            }
            uint32_t codePoint;
            size_t length;
            escapeShape shape = unicodeEscapes ? unicodeEscapeAt(text, pos, codePoint, length) : escapeShape::none;
            if (shape == escapeShape::wellFormed && (form != textForm::shown || codePoint >= 0x80)) {
                units.push_back({codePoint, 0});
                pos += length;
                continue;
            }
            if (shape == escapeShape::malformed && malformed) ++*malformed;
        }
        units.push_back({byte, 1});
        ++pos;
    }
    return units;
}

// Whether the units from `from` on would be read as an escape if a backslash
// stood before them. Only ASCII can make one up.
bool wouldReadAsEscape(const textUnits& units, size_t from) {
    std::string ahead = "\\";
    for (size_t i = from; i < units.size() && ahead.size() < maxEscapeDigits + 4; ++i) {
        int c = asciiOf(units[i]);
        if (c < 0) break;
        ahead += static_cast<char>(c);
    }
    uint32_t codePoint;
    size_t length;
    return unicodeEscapeAt(ahead, 0, codePoint, length) == escapeShape::wellFormed;
}

bool needsEscape(const textUnit& unit) {
    std::string scratch;
    return unit.byteCount == 0 && !appendCodePage932(unit.value, scratch);
}

codePageText contentOf(const textUnits& units) {
    codePageText result;
    for (const textUnit& unit : units) result.unicodeEscapes = result.unicodeEscapes || needsEscape(unit);
    std::string& out = result.bytes;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const textUnit& unit = units[i];
        if (result.unicodeEscapes && asciiOf(unit) == '\\' && wouldReadAsEscape(units, i + 1))
            appendUnicodeEscape('\\', out);
        else if (unit.byteCount != 0)
            appendBytes(unit, out);
        else if (!appendCodePage932(unit.value, out))
            appendUnicodeEscape(unit.value, out);
    }
    return result;
}

// What becomes of a character the code page lacks: escaped, escaped also when
// the code page has only a look-alike of it, or written as plain text has it.
enum class lacking { escaped, escapedUnlessExact, asPlainText };

// Writes units as code page 932. With `mode`, ASCII gets the escaper's
// sequences; without, it stands as it is (the units of a shown form).
codePageText escapedOf(const textUnits& units, const escapeMode* mode, lacking rule = lacking::escaped) {
    codePageText result;
    std::string& out = result.bytes;
    out.reserve(units.size() + units.size() / 8);
    for (const textUnit& unit : units) {
        int c = asciiOf(unit);
        const char* sequence = c >= 0 && mode ? escapeSequence(static_cast<char>(c), *mode) : nullptr;
        if (sequence) {
            out += sequence;
        } else if (unit.byteCount != 0) {
            appendBytes(unit, out);
        } else if (rule == lacking::asPlainText) {
            appendPlainCodePage932(unit.value, out);
        } else if (rule == lacking::escapedUnlessExact ? !appendExactCodePage932(unit.value, out)
                                                       : !appendCodePage932(unit.value, out)) {
            appendUnicodeEscape(unit.value, out);
            result.unicodeEscapes = true;
        }
    }
    return result;
}

template <class Out, class Append>
Out unicodeOf(const textUnits& units, Append append) {
    Out out;
    out.reserve(units.size());
    for (const textUnit& unit : units) {
        if (unit.byteCount == 0) {
            append(unit.value, out);
            continue;
        }
        std::string bytes;
        appendBytes(unit, bytes);
        for (size_t pos = 0; pos < bytes.size();) append(nextCodePage932(bytes, pos), out);
    }
    return out;
}

}  // namespace

void appendUnicodeEscape(uint32_t codePoint, std::string& out) {
    static const char digits[] = "0123456789ABCDEF";
    out += "\\u{";
    int shift = 20;
    while (shift > 0 && (codePoint >> shift) == 0) shift -= 4;
    for (; shift >= 0; shift -= 4) out += digits[(codePoint >> shift) & 0xF];
    out += '}';
}

codePageText contentFromUtf16(std::u16string_view text) { return contentOf(unitsOfUnicode(text, nextUtf16)); }

std::u16string contentToUtf16(std::string_view data, bool unicodeEscapes) {
    return unicodeOf<std::u16string>(unitsOfCodePage(data, textForm::content, unicodeEscapes), appendUtf16);
}

codePageText escapedFromUtf16(std::u16string_view text) {
    return escapedOf(unitsOfUnicode(text, nextUtf16), &textFileMode, lacking::escapedUnlessExact);
}

std::u16string unescapeToUtf16(std::string_view escaped, bool unicodeEscapes) {
    return unicodeOf<std::u16string>(unitsOfCodePage(escaped, textForm::escaped, unicodeEscapes), appendUtf16);
}

std::string unescapeToUtf8(std::string_view escaped, bool unicodeEscapes) {
    return unicodeOf<std::string>(unitsOfCodePage(escaped, textForm::escaped, unicodeEscapes), appendUtf8);
}

void appendContentEscaped(std::string_view data, bool unicodeEscapes, std::string& out, escapeMode mode) {
    if (!unicodeEscapes) {
        appendEscaped(data, out, mode);
        return;
    }
    out += escapedOf(unitsOfCodePage(data, textForm::content, true), &mode).bytes;
}

std::string shownAsUtf8(std::string_view escaped, bool unicodeEscapes) {
    return unicodeOf<std::string>(unitsOfCodePage(escaped, textForm::shown, unicodeEscapes), appendUtf8);
}

std::u16string shownAsUtf16(std::string_view escaped, bool unicodeEscapes) {
    // Without escapes the shown form is the bytes as they stand.
    if (!unicodeEscapes) return codePage932ToUtf16(escaped);
    return unicodeOf<std::u16string>(unitsOfCodePage(escaped, textForm::shown, unicodeEscapes), appendUtf16);
}

codePageText escapedFromShown(std::string_view shownUtf8) {
    return escapedOf(unitsOfUnicode(shownUtf8, nextUtf8), nullptr, lacking::escapedUnlessExact);
}

std::string withoutUnicodeEscapes(std::string_view escaped) {
    return escapedOf(unitsOfCodePage(escaped, textForm::shown, true), nullptr, lacking::asPlainText).bytes;
}

unescapedContent unescapeContent(std::string_view column) {
    unescapedContent result;
    // Nearly every content has no escape; those read exactly as they always have.
    if (column.find("\\u{") == std::string_view::npos) {
        result.content.bytes = unescapeText(column);
        return result;
    }
    result.content = contentOf(unitsOfCodePage(column, textForm::escaped, true, &result.malformedEscapes));
    return result;
}

}  // namespace tv
