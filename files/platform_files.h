// The few file operations whose portable forms differ between Windows and POSIX.
// Paths are code page 932 byte strings on Windows.
#pragma once

#include <cstdio>
#include <string>

namespace tv {

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
