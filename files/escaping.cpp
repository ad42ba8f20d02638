#include "files/escaping.h"

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

std::string escapeText(const std::string& raw, escapeMode mode) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 8);
    for (size_t i = 0; i < raw.size(); ++i) {
        if (copyDoubleByte(raw, i, out)) continue;
        char c = raw[i];
        const char* replacement = mode == escapeMode::xml ? xmlEntity(c) : nullptr;
        if (!replacement) replacement = controlEscape(c);
        if (replacement)
            out += replacement;
        else
            out += c;
    }
    return out;
}

std::string unescapeText(const std::string& escaped) {
    std::string out;
    out.reserve(escaped.size());
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (copyDoubleByte(escaped, i, out)) continue;
        char c = escaped[i];
        if (c == '\\' && i + 1 < escaped.size()) {
            char next = escaped[i + 1];
            char produced = next == '\\' ? '\\' : next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : 0;
            if (produced) {
                out += produced;
                ++i;
                continue;
            }
        }
        out += c;
    }
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
