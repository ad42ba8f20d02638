// clips.dat: the clipboard history between runs. Little-endian, no header:
// a 16-bit entry count, then per entry a 16-bit length and that many bytes of
// the entry's escaped text, newest first. Ids are not stored; loading hands
// them out afresh. Texts beyond code page 932 are completed by the companion
// file (history_companion.h), which is read and written with it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "cliphistory/history_companion.h"
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
// What clips.dat keeps of an entry: its escaped text, in its code page 932 form
// when it holds characters the code page lacks (history_companion.h keeps them).
std::string storedText(const menuItem& entry);

std::string encodeHistory(const historyList& list);

struct historyDecodeReport {
    bool truncated = false;    // the bytes ended inside a field; complete entries were kept
    size_t emptyEntries = 0;   // entries empty (or empty up to a zero byte), counted but not added
    companionState companion = companionState::absent;
    size_t restoredTexts = 0;  // entries that took their whole text from the companion
    size_t unusedCompanionLines = 0;  // damaged lines, and texts that agreed with no entry
};

// Replaces the list by the entries in `bytes`, with the whole texts of its
// companion's bytes. Zero bytes leave the list as it is.
historyDecodeReport decodeHistory(const std::string& bytes, historyList& list,
                                  const std::string& companion = std::string());

// Start-up load, of clips.dat and its companion. A missing file is created
// empty, as the first run leaves one behind; false when the file can be
// neither created nor read (the history then stays as it was).
bool loadHistoryFile(const std::string& path, historyList& list);
// Reads both files as they are; false when the history file cannot be read.
bool readHistoryFiles(const std::string& path, historyList& list, historyDecodeReport& report);
// Writes the whole list and its companion, each through a temporary file: the
// companion first, serving both the clips.dat it replaces and the new one, then
// clips.dat; a companion no entry needs is removed last. `betweenFiles` runs
// between the two (the tests stop there). False leaves clips.dat as it was.
bool saveHistoryFile(const std::string& path, const historyList& list,
                     const std::function<void()>& betweenFiles = {});
// Keeps the history in memory only: removes both files.
bool removeHistoryFiles(const std::string& path);

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
