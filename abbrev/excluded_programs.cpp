#include "abbrev/excluded_programs.h"

#include <string>

#include "files/cp932.h"

namespace tv {

namespace {

// The file name after the last path separator, and the text folded to lower case.
std::string foldedFileName(std::string_view path) {
    std::string folded;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte == '\\' || byte == '/') {
            folded.clear();
        } else if (isLeadByte(byte) && i + 1 < path.size()) {
            folded += path.substr(i, 2);
            ++i;
        } else {
            folded += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
        }
    }
    return folded;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

bool isExcludedProgram(std::string_view excludeList, std::string_view imagePath) {
    const std::string program = foldedFileName(imagePath);
    if (program.empty()) return false;
    while (!excludeList.empty()) {
        size_t end = excludeList.find(';');
        std::string_view entry = trimmed(excludeList.substr(0, end));
        if (!entry.empty() && foldedFileName(entry) == program) return true;
        if (end == std::string_view::npos) break;
        excludeList.remove_prefix(end + 1);
    }
    return false;
}

}  // namespace tv
