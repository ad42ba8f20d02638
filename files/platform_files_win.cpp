#include <io.h>
#include <windows.h>

#include <cstdio>

#include "files/cp932.h"
#include "files/platform_files.h"

namespace tv {

bool replaceFile(const std::string& source, const std::string& target) {
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool isAbsolutePath(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return true;  // "C:..."
    return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

namespace {

// The last byte may be the trail byte 0x5C of a double-byte character (ソ is 83 5C),
// which is not a separator.
bool endsWithSeparator(const std::string& path) {
    bool separator = false;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte)) {
            ++i;
            separator = false;
        } else {
            separator = byte == '\\' || byte == '/';
        }
    }
    return separator;
}

}  // namespace

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (endsWithSeparator(directory)) return directory + name;
    return directory + "\\" + name;
}

}  // namespace tv
