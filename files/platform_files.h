// The few file operations whose portable forms differ between Windows and POSIX.
// Paths are code page 932 byte strings on Windows.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace tv {

// The longest file name (one path component) the file systems take, in bytes;
// a code page 932 name of this many bytes never has more UTF-16 units.
constexpr size_t fileNameLimit = 255;

// fopen that also reaches paths longer than MAX_PATH on Windows.
std::FILE* openFile(const std::string& path, const char* mode);
// Where the last component of `path` starts (0 when it has no folder part).
size_t fileNameStart(const std::string& path);

// Replaces `target` by `source` in one step, writing the rename through to disk.
bool replaceFile(const std::string& source, const std::string& target);
// Pushes what the runtime has written to `file` down to the disk.
bool flushToDisk(std::FILE* file);
bool fileExists(const std::string& path);
bool removeFile(const std::string& path);
// Renames without ever replacing an existing file.
bool renameFile(const std::string& from, const std::string& to);

bool isAbsolutePath(const std::string& path);
// Joins a directory and a relative name with the platform's separator.
std::string joinPath(const std::string& directory, const std::string& name);

}  // namespace tv
