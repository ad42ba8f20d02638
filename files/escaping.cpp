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

}  // namespace

std::string escapeText(const std::string& raw, escapeMode mode) {
    std::string out;
    out.reserve(raw.size() + raw.size() / 8);
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            out += c;
            if (i + 1 < raw.size()) out += raw[++i];
            continue;
        }
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
        char c = escaped[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            out += c;
            if (i + 1 < escaped.size()) out += escaped[++i];
            continue;
        }
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
        char c = text[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            out += c;
            if (i + 1 < text.size()) out += text[++i];
            continue;
        }
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
