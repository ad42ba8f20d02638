#include "files/code_page.h"

#include <array>
#include <memory>

#include "files/cp932.h"
#include "files/cp932_table.h"

namespace tv {

namespace {

constexpr uint32_t replacementCharacter = 0xFFFD;

bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

size_t leadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 0x1Fu; }

// When two byte pairs stand for one character, Windows writes the one of the
// standard rows, then NEC's row 13, then IBM's extension, and NEC's copy of the
// IBM extension last. Lower is preferred.
int pairRank(unsigned char lead) {
    if (lead == 0x87) return 1;
    if (lead >= 0xFA) return 2;
    if (lead == 0xED || lead == 0xEE) return 3;
    return 0;
}

// Characters Japanese text carries in a second form, written as the form the
// code page has: the Unicode forms of the JIS mapping that Mac and Linux
// editors write, against Microsoft's.
struct secondForm {
    uint16_t codePoint;
    uint16_t bytes;
};
constexpr secondForm secondForms[] = {
    {0x301C, 0x8160},  // 〜 WAVE DASH, for ～
    {0x2016, 0x8161},  // ‖ DOUBLE VERTICAL LINE, for ∥
    {0x2212, 0x817C},  // − MINUS SIGN, for －
    {0x2014, 0x815C},  // — EM DASH, for ―
    {0x00A2, 0x8191},  // ¢, for ￠
    {0x00A3, 0x8192},  // £, for ￡
    {0x00AC, 0x81CA},  // ¬, for ￢
};

// The bytes of each BMP character: one byte in the low half, a pair as lead
// << 8 | trail, 0 for none (U+0000 is handled before the table is asked).
using encodingTable = std::array<uint16_t, 0x10000>;

std::unique_ptr<encodingTable> buildEncodingTable() {
    auto table = std::make_unique<encodingTable>();
    table->fill(0);
    for (unsigned byte = 1; byte < 256; ++byte)
        if (uint16_t codePoint = cp932SingleBytes[byte]) (*table)[codePoint] = static_cast<uint16_t>(byte);
    // Leads in order of preference, so the first pair to claim a character keeps it.
    for (int rank = 0; rank <= 3; ++rank) {
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(static_cast<unsigned char>(lead)) || pairRank(static_cast<unsigned char>(lead)) != rank)
                continue;
            const uint16_t* row = &cp932DoubleBytes[leadIndex(static_cast<unsigned char>(lead)) * cp932TrailCount];
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                uint16_t codePoint = row[trail - 0x40];
                if (codePoint && (*table)[codePoint] == 0) (*table)[codePoint] = static_cast<uint16_t>(lead << 8 | trail);
            }
        }
    }
    for (const secondForm& form : secondForms) (*table)[form.codePoint] = form.bytes;
    (*table)[yenSign] = 0;
    return table;
}

const encodingTable& encodingFor() {
    static const std::unique_ptr<encodingTable> table = buildEncodingTable();
    return *table;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (size_t pos = 0; pos < bytes.size();) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        // A malformed sequence reads one byte at a time; a character takes at least two.
        size_t start = pos;
        nextUtf8(bytes, pos);
        if (pos - start == 1) return false;
    }
    return true;
}

uint32_t nextUtf8(std::string_view text, size_t& pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    size_t width;
    uint32_t value;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        width = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        width = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        width = 4;
        value = lead & 0x07;
    } else {
        ++pos;
        return replacementCharacter;
    }
    if (pos + width > text.size()) {
        ++pos;
        return replacementCharacter;
    }
    for (size_t k = 1; k < width; ++k) {
        const unsigned char trail = static_cast<unsigned char>(text[pos + k]);
        if ((trail & 0xC0) != 0x80) {
            ++pos;
            return replacementCharacter;
        }
        value = (value << 6) | (trail & 0x3F);
    }
    const uint32_t smallest = width == 3 ? 0x800 : width == 4 ? 0x10000 : 0x80;
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return replacementCharacter;
    }
    pos += width;
    return value;
}

uint32_t nextUtf16(std::u16string_view text, size_t& pos) {
    const uint32_t unit = text[pos++];
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit <= 0xDBFF && pos < text.size() && text[pos] >= 0xDC00 && text[pos] <= 0xDFFF)
        return 0x10000 + ((unit - 0xD800) << 10) + (text[pos++] - 0xDC00);
    return replacementCharacter;
}

uint32_t nextCodePage932(std::string_view text, size_t& pos) {
    const unsigned char byte = static_cast<unsigned char>(text[pos++]);
    if (!isLeadByte(byte)) return cp932SingleBytes[byte];
    // Windows takes any byte but zero after a lead byte, and reads a pair it does not assign as one ・.
    if (pos == text.size() || text[pos] == '\0') return undecodableCharacter;
    const unsigned char trail = static_cast<unsigned char>(text[pos++]);
    if (!isTrailByte(trail)) return undecodableCharacter;
    uint16_t codePoint = cp932DoubleBytes[leadIndex(byte) * cp932TrailCount + (trail - 0x40u)];
    return codePoint ? codePoint : undecodableCharacter;
}

void appendUtf8(uint32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void appendUtf16(uint32_t codePoint, std::u16string& out) {
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
        return;
    }
    codePoint -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

bool appendCodePage932(uint32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
        return true;
    }
    if (codePoint > 0xFFFF) return false;
    uint16_t bytes = encodingFor()[codePoint];
    if (bytes == 0) return false;
    if (bytes > 0xFF) out += static_cast<char>(bytes >> 8);
    out += static_cast<char>(bytes & 0xFF);
    return true;
}

bool appendExactCodePage932(uint32_t codePoint, std::string& out) {
    const size_t before = out.size();
    if (!appendCodePage932(codePoint, out)) return false;
    size_t pos = before;
    if (nextCodePage932(out, pos) == codePoint) return true;
    out.resize(before);
    return false;
}

bool appendPlainCodePage932(uint32_t codePoint, std::string& out) {
    if (appendCodePage932(codePoint, out)) return true;
    if (codePoint == yenSign) {
        out += "\x81\x8F";  // ￥
        return true;
    }
    out.append(utf16Length(codePoint), '?');
    return false;
}

bool utf16ToCodePage932(std::u16string_view utf16, std::string& out) {
    bool complete = true;
    out.reserve(out.size() + utf16.size());
    for (size_t pos = 0; pos < utf16.size();) complete = appendPlainCodePage932(nextUtf16(utf16, pos), out) && complete;
    return complete;
}

uint32_t firstLackingInPlainText(std::u16string_view utf16) {
    std::string ignored;
    for (size_t pos = 0; pos < utf16.size();) {
        uint32_t c = nextUtf16(utf16, pos);
        ignored.clear();
        if (!appendPlainCodePage932(c, ignored)) return c;
    }
    return 0;
}

std::u16string codePage932ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) appendUtf16(nextCodePage932(text, pos), out);
    return out;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) appendUtf16(nextUtf8(utf8, pos), out);
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 3);
    for (size_t pos = 0; pos < utf16.size();) appendUtf8(nextUtf16(utf16, pos), out);
    return out;
}

}  // namespace tv
