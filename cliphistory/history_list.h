// The clipboard history: captured texts, newest first, bounded by `counts`, and
// the rules that decide what a history submenu shows. Reading the clipboard,
// saving the file and telling the edit dialog are the Win32 layer's part; the
// functions here say what happened so that layer knows what to do next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "model/menu_model.h"

namespace tv {

// What one move of a queued clip into the list did.
enum class clipOutcome {
    nothingQueued,  // the queue was empty, or held only empty clips; the list is untouched
    added,          // the text is now the front entry
    discarded,      // an equal entry exists and keeps its place
};

struct addClipResult {
    clipOutcome outcome = clipOutcome::nothingQueued;
    bool notifyEditDialog = false;  // post command 108: the dialog shows the new front entry
    // Every processed clip is followed by a save, even a discarded one.
    bool saveHistory() const { return outcome != clipOutcome::nothingQueued; }
};

// Lives no longer than the model whose id allocator its entries report to.
class historyList {
public:
    explicit historyList(menuModel& model) : model_(model) {}
    historyList(const historyList&) = delete;
    historyList& operator=(const historyList&) = delete;

    // Maximum number of entries; compared without sign, so a negative value means no bound.
    int counts = 250;
    // While the edit dialog is open, captures skip the duplicate check and the bound.
    bool editDialogOpen = false;

    // Step A's half: a text read from the clipboard waits here for addPendingClip.
    // The code page 932 text as Windows gives it, or the Unicode text: one the
    // code page holds whole is recorded exactly as the code page 932 text would
    // be, any other keeps every character (menuItem::unicodeEscapes).
    void queueClip(std::string text) { pendingClips_.push_back({std::move(text), {}}); }
    void queueClip(std::u16string_view text) { pendingClips_.push_back({{}, std::u16string(text)}); }
    size_t pendingCount() const { return pendingClips_.size(); }

    // Step B: moves the oldest queued text into the list. With keepExistingPosition
    // (a history entry pasted again while bNoMovePasetFromClipboard is on) an equal
    // entry stays where it is; otherwise it goes and the text returns at the front.
    addClipResult addPendingClip(bool keepExistingPosition);
    // Drops the oldest entries beyond `counts`; returns how many went.
    size_t trimHistory();
    // Removes every entry and restarts the history ids at 55500.
    void eraseHistory();
    // Empty when no entry has that id.
    itemRef findHistoryEntry(uint16_t itemId) const;

    // Adds a text that is already escaped behind the oldest entry (loading the file).
    void appendEntry(std::string escapedText, bool unicodeEscapes = false);
    // The edit dialog's operations. Each returns false when the entry is not listed
    // or, for a move, is already at that end.
    bool removeEntry(const menuItem* entry);
    bool moveTowardFront(const menuItem* entry);
    bool moveTowardBack(const menuItem* entry);

    const std::deque<itemRef>& entries() const { return entries_; }
    size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

private:
    bool overBound() const;
    std::deque<itemRef>::iterator locate(const menuItem* entry);

    struct pendingClip {
        std::string text;    // code page 932, when the Unicode text is empty
        std::u16string wide;
    };

    menuModel& model_;
    std::deque<itemRef> entries_;
    std::deque<pendingClip> pendingClips_;
};

// The edit dialog's text of an entry, and the text it sets after an edit.
std::u16string historyTextToUtf16(const menuItem& entry);
void setHistoryText(menuItem& entry, std::u16string_view text);

// The edit dialog's tree label of an edited entry: the escaped text as it is
// when shorter than 80 bytes, otherwise its first 80 bytes and "...". A double-
// byte character that would lose its trail byte at the cut is left out whole.
std::string historyEditLabel(const std::string& escapedText);
// The same label of an entry in UTF-16, its characters beyond code page 932
// written out. Each character counts the bytes of its code page 932 form ("?"
// for each UTF-16 unit it lacks), so other entries are cut as before, and a
// character or surrogate pair is never split.
std::u16string historyEditLabelUtf16(const menuItem& entry);

// The clipboard reader's size rule: a text of maxOneClipSizeKb * 1024 bytes or more
// is not recorded. 0 means no limit; a negative limit refuses every text.
bool clipSizeAccepted(size_t bytes, int maxOneClipSizeKb);

// Which part of the list a history submenu covers, in 0-based list positions.
struct historyRange {
    long long first = 0;
    long long last = -1;
    long long limit = 0;  // no entry at or beyond this position is shown
    bool capped = true;   // iMaxOneOneSize applies (the range named no end)
};

// The range of a clipBoardHistory item. `data` holds the 1-based first number on
// line 1 and the last number on line 2; each is read like atoi (leading blanks,
// a sign and digits; anything else reads as 0), and line 2 is whatever follows
// the first LF, so "3\r\n5" and "3\n5" both mean entries 3 to 5. A first number
// of 0 or less means the newest entry; a last number of 0 or less (or none) means
// "to the end, at most iMaxOneOneSize entries".
historyRange clipBoardHistoryRange(const std::string& data, size_t entryCount);
// The settings editor's two history submenus: the 16 newest entries.
historyRange editorHistoryRange();

struct historySubmenuOptions {
    int iMaxOneOneSize = 20;     // 0, or a negative value, means no cap
    int ret_counts = 0;          // > 0: a new column every ret_counts entries
    bool ClipToAddPos = false;   // newest entry at the bottom
    bool bRevNumAndAbc = false;  // labels A-Z before 0-9
};

struct submenuEntry {
    itemRef entry;
    std::string label;  // "&0: " and so on; empty from the 37th entry on
    bool newColumn = false;
};

// The entries of a history submenu in display order, top first. The popup stores
// each label in its entry's `data` for drawing and mnemonics. An empty result
// means the menu shows only the disabled "なし" entry (noneEntryId).
std::vector<submenuEntry> layoutHistorySubmenu(const historyList& list, const historyRange& range,
                                               const historySubmenuOptions& options);

// The label of the entry at display position `position`: "&", the key and ": ".
std::string historyLabel(size_t position, bool lettersFirst);

}  // namespace tv
