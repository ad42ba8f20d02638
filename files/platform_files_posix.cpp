#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "files/platform_files.h"

namespace tv {

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

size_t fileNameStart(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

bool replaceFile(const std::string& source, const std::string& target) {
    return std::rename(source.c_str(), target.c_str()) == 0;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && fsync(fileno(file)) == 0;
}

bool fileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

bool removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool renameFile(const std::string& from, const std::string& to) {
    // rename() would silently replace `to`; link() refuses an existing name.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    return unlink(from.c_str()) == 0;
}

bool isAbsolutePath(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    if (directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

}  // namespace tv
