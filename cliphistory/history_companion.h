// clips.u8, beside clips.dat: the whole text of each history entry that code
// page 932 cannot hold. clips.dat keeps such an entry in its code page 932 form
// ("?" for each character the code page lacks), so every reader of clips.dat
// still reads it; the companion gives the entry its characters back.
//
// UTF-8 text with CR LF line ends:
//   TolvaneClipsU8 TAB 1 TAB <FNV-1a 64 of the clips.dat it belongs to, 16 hex digits>
//   and per entry: <its 0-based place in clips.dat> TAB <check, 16 hex digits> TAB <text>
// The text is the entry's escaped form as a label shows it (TAB, CR, LF and the
// backslash escaped, every other character written out); the check is FNV-1a 64
// of the entry's bytes in clips.dat, a zero byte and the text.
//
// A text is taken only when everything agrees: the companion names this very
// clips.dat, its line is whole and its check matches, and the text comes down to
// the entry's bytes in clips.dat. Otherwise the entry keeps its code page 932
// form: a companion that is missing, damaged or from another clips.dat never
// gives an entry a wrong text.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "cliphistory/history_list.h"
#include "files/unicode_escape.h"

namespace tv {

// "clips.dat" gives "clips.u8": the history file's name with the extension ".u8".
std::string historyCompanionPath(const std::string& historyPath);

// The companion of `list`, whose clips.dat bytes are `historyBytes` (encodeHistory);
// empty when no entry needs one.
std::string encodeHistoryCompanion(const historyList& list, const std::string& historyBytes);

enum class companionState {
    absent,     // no companion, or one with no lines
    matching,   // it belongs to this clips.dat
    otherFile,  // it belongs to another clips.dat: none of its texts is taken
    damaged,    // its first line is not a companion's
};

class historyCompanion {
public:
    historyCompanion(const std::string& companionBytes, const std::string& historyBytes);

    companionState state() const { return state_; }
    // Lines that were not whole or well-formed.
    size_t damagedLines() const { return damagedLines_; }

    // The whole text of the entry at `position`, whose clips.dat bytes are
    // `stored`, when the companion has one that agrees.
    bool restore(size_t position, const std::string& stored, codePageText& text);
    // Texts that did not agree with their entry (or whose entry was not read).
    size_t unmatchedTexts() const { return texts_.size() - restored_; }

private:
    struct line {
        std::string check;  // 16 hex digits
        std::string text;   // UTF-8
    };

    companionState state_ = companionState::absent;
    size_t damagedLines_ = 0;
    size_t restored_ = 0;
    std::map<size_t, line> texts_;
};

}  // namespace tv
