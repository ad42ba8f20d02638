#include "cliphistory/history_list.h"

#include <algorithm>
#include <cstring>

#include "files/code_page.h"
#include "files/cp932.h"
#include "files/escaping.h"
#include "files/menu_file.h"
#include "files/unicode_escape.h"

namespace tv {

namespace {

// The escaped form of a queued clip. The file keeps a text up to its first
// zero, and the Unicode text ends at its first zero the same way.
codePageText escapedClip(std::string& text, std::u16string_view wide) {
    if (!wide.empty()) return escapedFromUtf16(wide.substr(0, wide.find(u'\0')));
    text.resize(std::strlen(text.c_str()));
    return {escapeText(text, escapeMode::textFile), false};
}

}  // namespace

addClipResult historyList::addPendingClip(bool keepExistingPosition) {
    addClipResult result;
    codePageText clip;
    // A clip that is empty once cut at its first zero would be saved with
    // length 0 and vanish at the next load, so it is not recorded at all.
    while (clip.bytes.empty()) {
        if (pendingClips_.empty()) return result;
        pendingClip next = std::move(pendingClips_.front());
        pendingClips_.pop_front();
        clip = escapedClip(next.text, next.wide);
    }
    // The entry takes its id before the duplicate check: a discarded clip still
    // passes its id through the released list, and a moved text gets a fresh one.
    itemRef entry = model_.createHistoryEntry(std::move(clip.bytes), clip.unicodeEscapes);

    if (editDialogOpen) {
        // The dialog lists every capture as it comes; it says the bound is ignored.
        entries_.push_front(std::move(entry));
        result.outcome = clipOutcome::added;
        result.notifyEditDialog = true;
        return result;
    }

    auto equal = std::find_if(entries_.begin(), entries_.end(),
                              [&](const itemRef& old) {
                                  return old->text == entry->text && old->unicodeEscapes == entry->unicodeEscapes;
                              });
    if (equal != entries_.end()) {
        if (keepExistingPosition) {
            result.outcome = clipOutcome::discarded;
            return result;
        }
        entries_.erase(equal);
    }
    entries_.push_front(std::move(entry));
    result.outcome = clipOutcome::added;
    trimHistory();
    return result;
}

bool historyList::overBound() const {
    if (counts < 0) return false;
    return !entries_.empty() && entries_.size() > static_cast<size_t>(counts);
}

size_t historyList::trimHistory() {
    size_t removed = 0;
    while (overBound()) {
        entries_.pop_back();
        ++removed;
    }
    return removed;
}

void historyList::eraseHistory() {
    // The entries hand their ids back as they go; the reset then forgets them all.
    entries_.clear();
    model_.ids.resetHistoryRange();
}

itemRef historyList::findHistoryEntry(uint16_t itemId) const {
    for (const itemRef& entry : entries_)
        if (entry->itemId == itemId) return entry;
    return nullptr;
}

void historyList::appendEntry(std::string escapedText, bool unicodeEscapes) {
    entries_.push_back(model_.createHistoryEntry(std::move(escapedText), unicodeEscapes));
}

std::deque<itemRef>::iterator historyList::locate(const menuItem* entry) {
    return std::find_if(entries_.begin(), entries_.end(), [&](const itemRef& e) { return e.get() == entry; });
}

bool historyList::removeEntry(const menuItem* entry) {
    auto it = locate(entry);
    if (it == entries_.end()) return false;
    entries_.erase(it);
    return true;
}

bool historyList::moveTowardFront(const menuItem* entry) {
    auto it = locate(entry);
    if (it == entries_.end() || it == entries_.begin()) return false;
    std::iter_swap(it, it - 1);
    return true;
}

bool historyList::moveTowardBack(const menuItem* entry) {
    auto it = locate(entry);
    if (it == entries_.end() || it + 1 == entries_.end()) return false;
    std::iter_swap(it, it + 1);
    return true;
}

std::u16string historyTextToUtf16(const menuItem& entry) { return unescapeToUtf16(entry.text, entry.unicodeEscapes); }

void setHistoryText(menuItem& entry, std::u16string_view text) {
    codePageText escaped = escapedFromUtf16(text);
    entry.text = std::move(escaped.bytes);
    entry.unicodeEscapes = escaped.unicodeEscapes;
}

namespace {

constexpr size_t labelBytes = 80;

}  // namespace

std::string historyEditLabel(const std::string& escapedText) {
    if (escapedText.size() < labelBytes) return escapedText;
    size_t cut = 0;
    while (cut < labelBytes) {
        size_t width = isLeadByte(static_cast<unsigned char>(escapedText[cut])) ? 2 : 1;
        if (cut + width > labelBytes) break;
        cut += width;
    }
    return escapedText.substr(0, cut) + "...";
}

std::u16string historyEditLabelUtf16(const menuItem& entry) {
    if (!entry.unicodeEscapes) return codePage932ToUtf16(historyEditLabel(entry.text));
    const std::u16string shown = shownAsUtf16(entry.text, true);
    size_t bytes = 0;
    size_t cut = 0;
    std::string form;
    for (size_t pos = 0; pos < shown.size();) {
        form.clear();
        appendPlainCodePage932(nextUtf16(shown, pos), form);
        bytes += form.size();
        if (bytes <= labelBytes) cut = pos;
    }
    if (bytes < labelBytes) return shown;
    return shown.substr(0, cut) + u"...";
}

bool clipSizeAccepted(size_t bytes, int maxOneClipSizeKb) {
    if (maxOneClipSizeKb == 0) return true;
    if (maxOneClipSizeKb < 0) return false;
    return static_cast<unsigned long long>(bytes) < static_cast<unsigned long long>(maxOneClipSizeKb) * 1024;
}

historyRange clipBoardHistoryRange(const std::string& data, size_t entryCount) {
    historyRange range;
    long long first = parseDecimal(data);
    size_t lineFeed = data.find('\n');
    long long last = lineFeed == std::string::npos ? 0 : parseDecimal(data.substr(lineFeed + 1));
    // 0 and negative starts both mean the newest entry; skipping a negative
    // number of entries would make no sense.
    range.first = first > 0 ? first - 1 : 0;
    range.limit = static_cast<long long>(entryCount);
    if (last > 0) {
        range.last = last - 1;
        range.capped = false;
    } else {
        range.last = range.limit - 1;
        range.capped = true;
    }
    return range;
}

historyRange editorHistoryRange() {
    historyRange range;
    range.first = 0;
    range.last = 15;
    range.limit = 16;
    range.capped = true;
    return range;
}

std::string historyLabel(size_t position, bool lettersFirst) {
    if (position > 35) return std::string();
    char key;
    if (lettersFirst)
        key = position < 26 ? static_cast<char>('A' + position) : static_cast<char>('0' + position - 26);
    else
        key = position < 10 ? static_cast<char>('0' + position) : static_cast<char>('A' + position - 10);
    return std::string("&") + key + ": ";
}

std::vector<submenuEntry> layoutHistorySubmenu(const historyList& list, const historyRange& range,
                                               const historySubmenuOptions& options) {
    std::vector<submenuEntry> shown;
    if (range.first > range.limit) return shown;
    long long shownCount = range.last - range.first + 1;
    // 0 turns the cap off; a negative cap, read without sign, exceeds any history.
    if (range.capped && options.iMaxOneOneSize > 0 && shownCount > options.iMaxOneOneSize)
        shownCount = options.iMaxOneOneSize;
    shownCount = std::min(shownCount, range.limit - range.first);
    // The editor's fixed range may reach past a short history. Counting only the
    // entries that exist keeps the labels running 0, 1, 2 from the top when the
    // newest entry is shown at the bottom.
    shownCount = std::min(shownCount, static_cast<long long>(list.count()) - range.first);
    if (shownCount <= 0) return shown;

    const size_t total = static_cast<size_t>(shownCount);
    shown.resize(total);
    for (size_t i = 0; i < total; ++i) {
        // i counts in list order (newest first); the column break belongs to the
        // i-th entry taken, wherever it ends up on screen.
        size_t position = options.ClipToAddPos ? total - 1 - i : i;
        submenuEntry& slot = shown[position];
        slot.entry = list.entries()[static_cast<size_t>(range.first) + i];
        slot.label = historyLabel(position, options.bRevNumAndAbc);
        slot.newColumn = i > 0 && options.ret_counts > 0 && i % static_cast<size_t>(options.ret_counts) == 0;
    }
    return shown;
}

}  // namespace tv
