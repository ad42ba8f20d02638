#include "files/program_list.h"

#include <vector>

#include "files/cp932.h"

namespace tv {

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> programNames(std::string_view list) {
    std::vector<std::string_view> names;
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(';', start);
        if (end == std::string_view::npos) end = list.size();
        std::string_view name = trimBlanks(list.substr(start, end - start));
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (size_t i = 0; i < folded.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(folded[i]);
        if (isLeadByte(byte)) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte - 'A' + 'a');
        }
    }
    return folded;
}

}  // namespace

std::string tidyProgramList(std::string_view list) {
    std::string tidy;
    for (std::string_view name : programNames(list)) {
        if (!tidy.empty()) tidy += ';';
        tidy += name;
    }
    return tidy;
}

bool programListHas(std::string_view list, std::string_view programPath) {
    const std::string program = foldedName(programPath.substr(windowsFileNameStart(programPath)));
    if (program.empty()) return false;
    for (std::string_view name : programNames(list))
        if (foldedName(name) == program) return true;
    return false;
}

}  // namespace tv
