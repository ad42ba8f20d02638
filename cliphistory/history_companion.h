// clips.u8, beside clips.dat: the whole text of each history entry that code
// page 932 cannot hold exactly. clips.dat keeps such an entry in its code page
// 932 form ("?" for each character the code page lacks), so every reader of
// clips.dat still reads it; the companion gives the entry its characters back.
//
// UTF-8 text with CR LF line ends:
//   TolvaneClipsU8 TAB 2 TAB <check of the clips.dat it is written for>
//                        TAB <check of the clips.dat it replaces, or ->
//   and per entry: <its 0-based place in the new clips.dat, or -> TAB <its place
//   in the clips.dat replaced, or -> TAB <entry check> TAB <text>
// Checks are FNV-1a 64, 16 hex digits: of the whole clips.dat, and of the
// entry's bytes in clips.dat, a zero byte and the text. The text is the entry's
// escaped form as a label shows it (TAB, CR, LF and the backslash escaped, every
// other character written out).
//
// A save writes the companion first and clips.dat second, and the companion
// serves both: the clips.dat it replaces (with the texts of that file's
// entries, those that went included) and the new one. So a save stopped at any
// point leaves every entry with its text; only an entry the stopped save was
// adding may have none yet. Files of the first form ("TolvaneClipsU8 TAB 1 TAB
// <check>", lines without the second place) are still read.
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
#include <string_view>
#include <vector>

#include "cliphistory/history_list.h"
#include "files/unicode_escape.h"

namespace tv {

// "clips.dat" gives "clips.u8": the history file's name with the extension ".u8".
std::string historyCompanionPath(const std::string& historyPath);

// An entry's text in a companion, with its place and its bytes in clips.dat.
struct companionText {
    size_t position = 0;
    std::string stored;  // its bytes in clips.dat
    std::string text;    // UTF-8, as a label shows it
};

// The clips.dat a save replaces: its check and the texts its companion gave.
struct replacedHistory {
    std::string check;  // empty when there was none
    std::vector<companionText> texts;
};

// The companion of `list`, whose clips.dat bytes are `historyBytes` (encodeHistory),
// also serving `replaced` until the new clips.dat is in place; empty when no
// entry of either needs one.
std::string encodeHistoryCompanion(const historyList& list, const std::string& historyBytes,
                                   const replacedHistory& replaced = {});
// Some entry that clips.dat keeps has characters only the companion holds.
bool historyNeedsCompanion(const historyList& list);
// The check of a clips.dat, as a companion names it.
std::string historyFileCheck(const std::string& historyBytes);

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
    // `stored`, when the companion has one that agrees; `shown` takes it as
    // the companion has it.
    bool restore(size_t position, const std::string& stored, codePageText& text, std::string* shown = nullptr);
    // Texts that did not agree with their entry (or whose entry was not read).
    size_t unmatchedTexts() const { return texts_.size() - restored_; }

private:
    struct line {
        std::string check;  // 16 hex digits
        std::string text;   // UTF-8
    };

    bool readFirstLine(std::string_view text, const std::string& historyBytes);

    companionState state_ = companionState::absent;
    size_t lineFields_ = 4;  // place (or places), check, text
    size_t placeField_ = 0;  // which place belongs to the clips.dat read
    size_t damagedLines_ = 0;
    size_t restored_ = 0;
    std::map<size_t, line> texts_;
};

}  // namespace tv
