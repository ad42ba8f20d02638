// clips.dat: the clipboard history between runs. Little-endian, no header:
// a 16-bit entry count, then per entry a 16-bit length and that many bytes of
// the entry's escaped text, newest first. Ids are not stored; loading hands
// them out afresh.
#pragma once

#include <cstddef>
#include <string>

#include "cliphistory/history_list.h"

namespace tv {

extern const char* const historyFileName;  // "clips.dat"

// The count and length fields are 16-bit, so a file can hold at most this many
// entries of at most this many bytes each.
constexpr size_t historyFileFieldLimit = 65535;

// Bytes written for one text: the whole text, or for a longer one its first
// 65535 bytes less a lead byte that would lose its trail byte, or a backslash
// that would lose the byte it escapes.
size_t storedTextLength(const std::string& text);

std::string encodeHistory(const historyList& list);

struct historyDecodeReport {
    bool truncated = false;    // the bytes ended inside a field; complete entries were kept
    size_t emptyEntries = 0;   // entries empty (or empty up to a zero byte), counted but not added
};

// Replaces the list by the entries in `bytes`. Zero bytes leave the list as it is.
historyDecodeReport decodeHistory(const std::string& bytes, historyList& list);

// Start-up load. A missing file is created empty, as the first run leaves one
// behind; false when the file can be neither created nor read (the history
// then stays as it was).
bool loadHistoryFile(const std::string& path, historyList& list);
// Writes the whole list through a temporary file; false leaves any old file intact.
bool saveHistoryFile(const std::string& path, const historyList& list);

// What a save should do in the current circumstances.
enum class historySaveAction {
    write,
    deleteFile,  // the history is kept only in memory (bClearClipHistoryOnExit)
    skip,
};

// A save is skipped while the current directory is not the start directory
// (a folder popup or shell command moved it for a moment) and in an instance
// started with another data file than "tv2_text.ini": that instance only reads
// the history. Directories and the name are compared byte for byte.
historySaveAction decideHistorySave(const std::string& currentDirectory, const std::string& startDirectory,
                                    bool clearHistoryOnExit, const std::string& dataFileName);

}  // namespace tv
