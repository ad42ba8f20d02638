#include "files/item_text.h"

#include "files/cp932.h"

namespace tv {

twoLines splitTwoLines(const std::string& data) {
    twoLines lines;
    size_t end = data.find('\r');
    if (end == std::string::npos) end = data.find('\n');
    if (end == std::string::npos) {
        lines.first = data;
        return lines;
    }
    lines.first = data.substr(0, end);
    size_t start = data.find_first_not_of("\r\n", end);
    if (start == std::string::npos) return lines;
    size_t stop = data.find_first_of("\r\n", start);
    lines.second = data.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
    return lines;
}

std::string workingDirectoryOf(const std::string& program) {
    size_t lastBackslash = std::string::npos;
    for (size_t i = 0; i < program.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(program[i])))
            ++i;
        else if (program[i] == '\\')
            lastBackslash = i;
    }
    return lastBackslash == std::string::npos ? std::string() : program.substr(0, lastBackslash);
}

std::string withoutMnemonics(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte(byte) && i + 1 < text.size()) {
            shown.append(text.substr(i, 2));
            ++i;
        } else if (byte != '&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

namespace {

// '&' is never the second byte of a double-byte character, nor part of a
// surrogate pair: every one found is a character of its own.
template <typename Char>
std::basic_string<Char> doubledAmpersands(std::basic_string_view<Char> text) {
    std::basic_string<Char> shown;
    shown.reserve(text.size());
    for (Char unit : text) {
        if (unit == Char('&')) shown += Char('&');
        shown += unit;
    }
    return shown;
}

}  // namespace

std::string withLiteralAmpersands(std::string_view text) { return doubledAmpersands(text); }

std::u16string withLiteralAmpersands(std::u16string_view text) { return doubledAmpersands(text); }

size_t caretSteps(const std::string& text) {
    size_t steps = 0;
    for (size_t i = 0; i < text.size(); ++i, ++steps) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            ++i;
        else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return steps;
}

}  // namespace tv
