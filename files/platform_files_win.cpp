// Paths are code page 932 byte strings. They are turned into wide strings for the
// "W" functions, with the "\\?\" prefix once they are long: the "A" functions
// and the C runtime's narrow calls stop at MAX_PATH (under Wine a save to a
// long path failed and left its temporary file behind).
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "files/cp932.h"
#include "files/platform_files.h"

namespace tv {

namespace {

std::wstring toWide(const std::string& text) {
    // CP_ACP is the code page the "A" functions read paths in.
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

// Beyond this length (that of the longest folder name CreateDirectory takes)
// a path needs the prefix.
constexpr size_t longPathLength = MAX_PATH - 12;

std::wstring widePath(const std::string& path) {
    std::wstring wide = toWide(path);
    if (wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return wide;
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
    full.resize(length);
    // A relative name is long when the current folder is.
    if (full.size() < longPathLength) return wide;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(widePath(path).c_str(), toWide(mode).c_str());
}

bool replaceFile(const std::string& source, const std::string& target) {
    return MoveFileExW(widePath(source).c_str(), widePath(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool flushToDisk(std::FILE* file) {
    return std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesW(widePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool removeFile(const std::string& path) { return DeleteFileW(widePath(path).c_str()) != 0; }

bool renameFile(const std::string& from, const std::string& to) {
    return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool isAbsolutePath(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return true;  // "C:..."
    return !path.empty() && (path[0] == '\\' || path[0] == '/');
}

size_t fileNameStart(const std::string& path) { return windowsFileNameStart(path); }

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const char last = directory.back();
    if (windowsFileNameStart(directory) == directory.size() && (last == '\\' || last == '/')) return directory + name;
    return directory + "\\" + name;
}

}  // namespace tv
