#include "files/escaping.h"

#include <algorithm>
#include <array>

#include "files/byte_scan.h"
#include "files/cp932.h"

namespace tv {

namespace {

const char* xmlEntity(char c) {
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    case '\'': return "&apos;";
    default: return nullptr;
    }
}

const char* controlEscape(char c) {
    switch (c) {
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\\': return "\\\\";
    default: return nullptr;
    }
}

// The bytes the XML escaper replaces.
using byteSet = std::array<bool, 256>;

constexpr byteSet setOf(std::string_view bytes) {
    byteSet set{};
    for (char c : bytes) set[static_cast<unsigned char>(c)] = true;
    return set;
}

constexpr byteSet xmlSpecials = setOf("\t\n\r\\&<>\"'");

size_t nextInSet(std::string_view text, size_t from, const byteSet& set) {
    while (from < text.size() && !set[static_cast<unsigned char>(text[from])]) ++from;
    return from;
}

// The next byte the escaper replaces: the data file's four are found 16 bytes at a time.
size_t nextSpecial(std::string_view text, size_t from, escapeMode mode) {
    if (mode == escapeMode::textFile) return findFirstOf4(text, from, '\t', '\n', '\r', '\\');
    return nextInSet(text, from, xmlSpecials);
}

// Whether a character starts at `pos`, given that one starts at `boundary` (not
// after `pos`). The escapers look for their bytes without stepping through the
// characters, and only ask this of the bytes they find. Scanning forward, every
// lead byte takes the byte after it; so going back from `pos`, the bytes that can
// be lead bytes pair up starting right after the last byte that cannot be one, and
// an odd number of them means the byte at `pos` is the trail byte of the last.
bool startsCharacter(std::string_view text, size_t boundary, size_t pos) {
    size_t leads = 0;
    while (pos - leads > boundary && isLeadByte(static_cast<unsigned char>(text[pos - leads - 1]))) ++leads;
    return leads % 2 == 0;
}

// Copies a double-byte character whole, so that its trail byte (which may be 0x5C,
// a backslash, as in ソ) is never examined on its own. Returns false for a
// single-byte character, which the caller handles.
bool copyDoubleByte(const std::string& in, size_t& i, std::string& out) {
    if (!isLeadByte(static_cast<unsigned char>(in[i]))) return false;
    out += in[i];
    if (i + 1 < in.size()) out += in[++i];
    return true;
}

}  // namespace

char unescapedByte(char next) {
    switch (next) {
    case '\\': return '\\';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return 0;
    }
}

const char* escapeSequence(char c, escapeMode mode) {
    const char* replacement = mode == escapeMode::xml ? xmlEntity(c) : nullptr;
    return replacement ? replacement : controlEscape(c);
}

// Both directions copy the bytes between two replacements in one piece.
// `boundary` is the latest place known to start a character, so that finding out
// whether a byte is a trail byte never looks further back than that.
void appendEscaped(std::string_view raw, std::string& out, escapeMode mode) {
    size_t copied = 0;
    size_t boundary = 0;
    for (size_t pos; (pos = nextSpecial(raw, boundary, mode)) < raw.size();) {
        bool isCharacter = startsCharacter(raw, boundary, pos);
        // Either way a character starts after this byte.
        boundary = pos + 1;
        if (!isCharacter) continue;
        out.append(raw.data() + copied, pos - copied);
        out += escapeSequence(raw[pos], mode);
        copied = boundary;
    }
    out.append(raw.data() + copied, raw.size() - copied);
}

namespace {

// Writes the unescaped bytes to `out`, which has room for escaped.size() bytes
// (unescaping never lengthens), and returns how many were written.
size_t unescapeInto(std::string_view escaped, char* out) {
    char* next = out;
    size_t copied = 0;
    size_t boundary = 0;
    forEachByte(escaped, '\\', [&](size_t pos) {
        // A backslash already taken as the second byte of a pair.
        if (pos < boundary) return true;
        char produced = pos + 1 < escaped.size() ? unescapedByte(escaped[pos + 1]) : 0;
        bool isCharacter = startsCharacter(escaped, boundary, pos);
        // A trail byte, or a backslash that stays as it is: a character starts
        // at the byte after it.
        boundary = pos + 1;
        if (!produced || !isCharacter) return true;
        next = std::copy(escaped.data() + copied, escaped.data() + pos, next);
        *next++ = produced;
        // The produced byte is not examined again.
        copied = boundary = pos + 2;
        return true;
    });
    next = std::copy(escaped.data() + copied, escaped.data() + escaped.size(), next);
    return static_cast<size_t>(next - out);
}

}  // namespace

std::string escapeText(const std::string& raw, escapeMode mode) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 8);
    appendEscaped(raw, out, mode);
    return out;
}

std::string unescapeText(std::string_view escaped) {
    std::string out(escaped.size(), '\0');
    out.resize(unescapeInto(escaped, &out[0]));
    return out;
}

std::string sanitizeFileName(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        if (copyDoubleByte(text, i, out)) continue;
        char c = text[i];
        switch (c) {
        case '\\': out += "￥"; break;
        case '/': out += "／"; break;
        case ':': out += "："; break;
        case '"': out += "”"; break;
        case '\'': out += "’"; break;
        case '>': out += "＞"; break;
        case '<': out += "＜"; break;
        case '?': out += "？"; break;
        case '|': out += "｜"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace tv
