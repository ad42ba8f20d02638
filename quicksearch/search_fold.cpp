#include "quicksearch/search_fold.h"

#include <cstdint>

#include "files/code_page.h"
#include "files/cp932.h"

namespace tv {

namespace {

// Full-width forms whose ASCII character is not at a fixed offset; the letters
// and digits (82 4F..82 9A) are handled by ranges below.
struct wideAscii {
    uint16_t code;
    char ascii;
};
constexpr wideAscii wideSymbols[] = {
    {0x8140, ' '},  {0x8143, ','},  {0x8144, '.'}, {0x8146, ':'}, {0x8147, ';'}, {0x8148, '?'}, {0x8149, '!'},
    {0x814D, '`'},  {0x814F, '^'},  {0x8151, '_'}, {0x815E, '/'}, {0x815F, '\\'}, {0x8160, '~'}, {0x8162, '|'},
    {0x8169, '('},  {0x816A, ')'},  {0x816D, '['}, {0x816E, ']'}, {0x816F, '{'}, {0x8170, '}'}, {0x817B, '+'},
    {0x817C, '-'},  {0x8181, '='},  {0x8183, '<'}, {0x8184, '>'}, {0x818F, '\\'}, {0x8190, '$'}, {0x8193, '%'},
    {0x8194, '#'},  {0x8195, '&'},  {0x8196, '*'}, {0x8197, '@'}, {0xEEFB, '\''}, {0xEEFC, '"'}, {0xFA56, '\''},
    {0xFA57, '"'},
};

// Half-width katakana and punctuation A1..DF as full-width codes. The voiced
// (dakuten) form of カ..ト and ハ..ホ is the next code, the half-voiced one of
// ハ..ホ the one after; ｳﾞ is ヴ.
constexpr uint16_t halfWidthKana[] = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // A1..AB
    0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349,          // AC..B5
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C,          // B6..BF
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D,          // C0..C9
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382,          // CA..D3
    0x8384, 0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393,          // D4..DD
    0x814A, 0x814B,                                                                          // DE, DF
};
constexpr unsigned char halfDakuten = 0xDE;
constexpr unsigned char halfHandakuten = 0xDF;

uint16_t voicedHalfWidth(unsigned char kana, unsigned char mark) {
    uint16_t base = halfWidthKana[kana - 0xA1];
    if (mark == halfDakuten) {
        if (kana == 0xB3) return 0x8394;  // ヴ
        if ((kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE)) return base + 1;
    } else if (kana >= 0xCA && kana <= 0xCE) {
        return base + 2;
    }
    return 0;
}

// Hiragana 82 9F..82 F1 lie in the order of katakana 83 40..83 93, which skip 83 7F.
uint16_t foldDoubleByte(uint16_t code) {
    if (code >= 0x8260 && code <= 0x8279) return 'a' + (code - 0x8260);
    if (code >= 0x8281 && code <= 0x829A) return 'a' + (code - 0x8281);
    if (code >= 0x824F && code <= 0x8258) return '0' + (code - 0x824F);
    if (code >= 0x829F && code <= 0x82F1) {
        uint16_t katakana = 0x8340 + (code - 0x829F);
        return katakana >= 0x837F ? katakana + 1 : katakana;
    }
    if ((code >= 0x8140 && code <= 0x8197) || code >= 0xEEFB) {
        for (const wideAscii& symbol : wideSymbols)
            if (symbol.code == code) return static_cast<unsigned char>(symbol.ascii);
    }
    return code;
}

// Control characters (TAB, CR, LF and the rest) part words as a blank does; the
// index keeps 0x01 for itself, between an entry's fields.
char foldAscii(unsigned char byte) {
    if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte - 'A' + 'a');
    if (byte < 0x20) return ' ';
    return static_cast<char>(byte);
}

void appendCode(uint16_t code, std::string& out) {
    if (code < 0x80) {
        out += foldAscii(static_cast<unsigned char>(code));
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The code page 932 bytes a character folds as, when it has any: the code
// page's own, ¥ as ￥, and the hiragana the code page lacks as their katakana.
bool appendFoldable(uint32_t c, std::string& out) {
    if (appendCodePage932(c, out)) return true;
    if (c == yenSign) return appendPlainCodePage932(c, out);
    if (c >= 0x3094 && c <= 0x3096) {  // ゔ ゕ ゖ: ヴ ヵ ヶ are 83 94..83 96
        out += '\x83';
        out += static_cast<char>(0x94 + (c - 0x3094));
        return true;
    }
    return false;
}

// Lower case for the Latin letters beyond code page 932: Latin-1's capitals
// (not ×), and Latin Extended-A, whose pairs alternate capital, small.
uint32_t simpleLowerCase(uint32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x178) return 0xFF;  // Ÿ
    const bool evenCapitals = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenCapitals && c % 2 == 0) || (oddCapitals && c % 2 == 1)) return c + 1;
    return c;
}

void appendBeyondCodePage(uint32_t c, std::string& out) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

void appendFoldedUtf16(std::u16string_view text, std::string& out) {
    // Runs the code page holds are folded together, so a half-width kana still
    // takes the mark after it.
    std::string run;
    for (size_t pos = 0; pos < text.size();) {
        uint32_t c = nextUtf16(text, pos);
        if (appendFoldable(c, run)) continue;
        appendFolded(run, out);
        run.clear();
        appendBeyondCodePage(simpleLowerCase(c), out);
    }
    appendFolded(run, out);
}

void appendFolded(std::string_view text, std::string& out) {
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out += foldAscii(byte);
        } else if (isLeadByte(byte) && i + 1 < size) {
            uint16_t code = static_cast<uint16_t>(byte << 8 | static_cast<unsigned char>(text[++i]));
            appendCode(foldDoubleByte(code), out);
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            unsigned char next = i + 1 < size ? static_cast<unsigned char>(text[i + 1]) : 0;
            uint16_t voiced = (next == halfDakuten || next == halfHandakuten) ? voicedHalfWidth(byte, next) : 0;
            if (voiced) ++i;
            appendCode(voiced ? voiced : halfWidthKana[byte - 0xA1], out);
        } else {
            appendCode(byte, out);  // 80, A0, FD..FF, or a lead byte cut off at the end
        }
    }
}

std::string foldForSearch(std::string_view text) {
    std::string folded;
    folded.reserve(text.size() * 3 / 2);
    appendFolded(text, folded);
    return folded;
}

}  // namespace tv
