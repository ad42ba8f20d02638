#include "quicksearch/search_index.h"

#include <algorithm>
#include <array>

#include "files/byte_scan.h"
#include "files/code_page.h"
#include "files/cp932.h"
#include "files/escaping.h"
#include "files/item_text.h"
#include "files/unicode_escape.h"
#include "model/tree_walk.h"
#include "quicksearch/search_fold.h"

namespace tv {

namespace {

constexpr size_t previewBytes = 160;
constexpr char fieldSeparator = '\x01';

// Finds a word by its two rarest bytes in the folded text: the search for them
// runs over the text many bytes at a time, and bytes the text seldom holds stop
// it seldom. The folded form is self-synchronizing, so any hit starts at a
// character.
class wordFinder {
public:
    wordFinder(std::string_view word, const std::array<uint32_t, 256>& byteCounts) : word_(word) {
        auto count = [&](size_t at) { return byteCounts[static_cast<unsigned char>(word[at])]; };
        for (size_t i = 1; i < word.size(); ++i)
            if (count(i) < count(rarest_)) rarest_ = i;
        if (word.size() < 2) return;
        size_t other = rarest_ == 0 ? 1 : 0;
        for (size_t i = other + 1; i < word.size(); ++i)
            if (i != rarest_ && count(i) < count(other)) other = i;
        first_ = std::min(rarest_, other);
        distance_ = std::max(rarest_, other) - first_;
    }

    // Where the word first lies in text at or after `from`, or npos.
    size_t in(std::string_view text, size_t from = 0) const {
        const size_t n = word_.size();
        if (text.size() < n || from > text.size() - n) return std::string_view::npos;
        const char* const end = text.data() + (text.size() - n + 1);  // past the last place the word can start
        for (const char* start = text.data() + from; start < end; ++start) {
            start = distance_ == 0 ? findByte(start + rarest_, end + rarest_, word_[rarest_]) - rarest_
                                   : findPair(start + first_, end + first_, word_[first_], word_[first_ + distance_],
                                              distance_) - first_;
            if (start < end && holdsWordAt(start)) return static_cast<size_t>(start - text.data());
        }
        return std::string_view::npos;
    }

private:
    // Compared here: a call to the C library per candidate costs more than the
    // few bytes of a word.
    bool holdsWordAt(const char* at) const {
        for (size_t i = 0; i < word_.size(); ++i)
            if (at[i] != word_[i]) return false;
        return true;
    }

    std::string_view word_;
    size_t rarest_ = 0;
    size_t first_ = 0;     // with two bytes or more: the first of the two rarest
    size_t distance_ = 0;  // and how far the other lies after it
};

std::vector<std::string> foldedWords(const std::string& folded) {
    std::vector<std::string> words;
    size_t start = 0;
    while ((start = folded.find_first_not_of(' ', start)) != std::string::npos) {
        size_t end = folded.find(' ', start);
        if (end == std::string::npos) end = folded.size();
        words.push_back(folded.substr(start, end - start));
        start = end;
    }
    return words;
}

// Whether the field text[start, end) begins with the word. The first hit of the
// word may lie in the abbreviation while the display text starts with it too.
bool startsField(std::string_view text, size_t start, size_t end, std::string_view word) {
    return end > start && end - start >= word.size() && text.compare(start, word.size(), word) == 0;
}

// The rank of an entry (see searchIndex::find) whose folded text is `text`, in
// which the first word first lies at firstHit: 0, 1 or 2, or -1 when another
// word is missing.
int rankOf(std::string_view text, size_t firstHit, size_t abbreviationLength, size_t nameLength,
           const std::vector<wordFinder>& finders, std::string_view firstWord) {
    bool allInName = firstHit < nameLength;
    for (size_t w = 1; w < finders.size(); ++w) {
        size_t hit = finders[w].in(text);
        if (hit == std::string_view::npos) return -1;
        allInName = allInName && hit < nameLength;
    }
    if (!allInName) return 2;
    return startsField(text, 0, abbreviationLength, firstWord) ||
                   startsField(text, abbreviationLength + 1, nameLength, firstWord)
               ? 0
               : 1;
}

// Line breaks and TABs as single blanks, at most maxUnits code units, never
// half a character: widthAt(text, i) is how many units the character at i takes.
template <typename Char, typename WidthAt>
std::basic_string<Char> oneLine(std::basic_string_view<Char> text, size_t maxUnits, WidthAt widthAt) {
    std::basic_string<Char> line;
    bool pendingBlank = false;
    for (size_t i = 0; i < text.size();) {
        Char unit = text[i];
        if (unit == '\r' || unit == '\n' || unit == '\t') {
            pendingBlank = !line.empty();
            ++i;
            continue;
        }
        size_t width = widthAt(text, i);
        if (line.size() + pendingBlank + width > maxUnits) break;
        if (pendingBlank) line += Char(' ');
        pendingBlank = false;
        line.append(text.substr(i, width));
        i += width;
    }
    return line;
}

void appendFoldedField(std::string_view bytes, const std::u16string* full, std::string& out) {
    if (full)
        appendFoldedUtf16(*full, out);
    else
        appendFolded(bytes, out);
}

}  // namespace

bool isSearchable(const menuNode& node) {
    if (!node.item || node.hasChildren()) return false;
    switch (node.item->mode) {
    case itemMode::hSeparater:
    case itemMode::vSeparater:
    case itemMode::insertFront:
    case itemMode::clipBoardHistory:
    case itemMode::historyEntry: return false;
    default: return true;
    }
}

std::string oneLinePreview(std::string_view text, size_t maxBytes) {
    return oneLine(text, maxBytes, [](std::string_view line, size_t at) { return characterWidthAt(line, at); });
}

std::u16string oneLinePreview(std::u16string_view text, size_t maxUnits) {
    return oneLine(text, maxUnits, [](std::u16string_view line, size_t at) {
        bool pair = line[at] >= 0xD800 && line[at] <= 0xDBFF && at + 1 < line.size() && line[at + 1] >= 0xDC00 &&
                    line[at + 1] <= 0xDFFF;
        return size_t{pair ? 2u : 1u};
    });
}

void searchIndex::add(searchEntry entry, std::string_view content, const std::u16string* fullDisplay,
                      const std::u16string* fullContent) {
    foldedRecord record;
    record.start = static_cast<uint32_t>(folded_.size());
    appendFolded(entry.abbreviation, folded_);
    record.abbreviationLength = static_cast<uint32_t>(folded_.size() - record.start);
    folded_ += fieldSeparator;
    appendFoldedField(entry.display, fullDisplay, folded_);
    record.nameLength = static_cast<uint32_t>(folded_.size() - record.start);
    folded_ += fieldSeparator;
    appendFoldedField(content, fullContent, folded_);
    folded_ += fieldSeparator;
    appendFolded(entry.path, folded_);
    record.length = static_cast<uint32_t>(folded_.size() - record.start);
    folded_ += fieldSeparator;
    for (size_t i = record.start; i < folded_.size(); ++i) ++byteCounts_[static_cast<unsigned char>(folded_[i])];
    records_.push_back(record);
    entries_.push_back(std::move(entry));
    lastMatches_.reset();
}

void searchIndex::addMenu(const menuNode& root) {
    // The path of the node being visited, and where each of its folders starts.
    std::string path;
    std::vector<size_t> folderStarts;
    walkTree(
        root,
        [&](const menuNode& node, size_t depth, size_t) {
            if (depth == 0) return;  // the root item is no entry of the menu
            if (node.hasChildren()) {
                folderStarts.push_back(path.size());
                if (!path.empty()) path += '\t';
                if (node.item) path += withoutMnemonics(node.item->text);
                return;
            }
            if (!isSearchable(node)) return;
            searchEntry entry;
            entry.item = node.item;
            entry.display = withoutMnemonics(node.item->text);
            entry.abbreviation = node.item->abbreviation;
            entry.path = path;
            entry.preview = oneLinePreview(node.item->data, previewBytes);
            if (!node.item->unicodeEscapes) {
                add(std::move(entry), node.item->data);
                return;
            }
            // The display text is code page 932 always; only the content holds more.
            std::u16string content = contentToUtf16(node.item->data, true);
            entry.unicode = true;
            entry.unicodeDisplay = codePage932ToUtf16(entry.display);
            entry.unicodePreview = oneLinePreview(content, previewBytes);
            add(std::move(entry), node.item->data, nullptr, &content);
        },
        [&](const menuNode& node, size_t depth) {
            if (depth == 0 || !node.hasChildren()) return;
            path.resize(folderStarts.back());
            folderStarts.pop_back();
        });
}

void searchIndex::addHistory(const historyList& history) {
    for (const itemRef& clip : history.entries()) {
        searchEntry entry;
        entry.item = clip;
        entry.display = clip->text;
        entry.fromHistory = true;
        std::string text = unescapeText(clip->text);
        entry.preview = oneLinePreview(text, previewBytes);
        if (entry.preview == entry.display) entry.preview.clear();  // a one-line clip: shown once is enough
        if (!clip->unicodeEscapes) {
            add(std::move(entry), text);
            continue;
        }
        std::u16string full = unescapeToUtf16(clip->text, true);
        entry.unicode = true;
        entry.unicodeDisplay = shownAsUtf16(clip->text, true);
        entry.unicodePreview = oneLinePreview(full, previewBytes);
        if (entry.unicodePreview == entry.unicodeDisplay) entry.unicodePreview.clear();
        const std::u16string display = entry.unicodeDisplay;
        add(std::move(entry), text, &display, &full);
    }
}

std::vector<uint32_t> searchIndex::find(std::string_view query) const { return findFolded(foldForSearch(query)); }

std::vector<uint32_t> searchIndex::find(std::u16string_view query) const {
    std::string folded;
    appendFoldedUtf16(query, folded);
    return findFolded(folded);
}

std::vector<uint32_t> searchIndex::findFolded(const std::string& foldedQuery) const {
    const std::vector<std::string> words = foldedWords(foldedQuery);
    std::vector<uint32_t> results;
    if (words.empty()) {
        lastMatches_.reset();
        results.resize(records_.size());
        for (uint32_t index = 0; index < results.size(); ++index) results[index] = index;
        return results;
    }
    std::vector<wordFinder> finders;
    for (const std::string& word : words) finders.emplace_back(word, byteCounts_);
    // One list per rank, each filled in entry order, then joined.
    std::vector<uint32_t> ranks[3];
    std::vector<uint32_t> matches;  // in entry order
    auto rank = [&](uint32_t index, size_t firstHit) {
        const foldedRecord& record = records_[index];
        const std::string_view text(folded_.data() + record.start, record.length);
        int entryRank = rankOf(text, firstHit, record.abbreviationLength, record.nameLength, finders, words[0]);
        if (entryRank < 0) return;
        ranks[entryRank].push_back(index);
        matches.push_back(index);
    };
    // Each word of a query that extends the last one holds a word of the last
    // one, so it can only be found where the last one was.
    const bool narrows = lastMatches_ && foldedQuery.compare(0, lastQuery_.size(), lastQuery_) == 0;
    if (narrows) {
        for (uint32_t index : *lastMatches_) {
            const foldedRecord& record = records_[index];
            size_t hit = finders[0].in(std::string_view(folded_.data() + record.start, record.length));
            if (hit != std::string_view::npos) rank(index, hit);
        }
    } else {
        // The first word is looked for once through the whole text rather than
        // entry by entry: no hit crosses from one record into the next (a 0x01
        // ends each), and an entry it lies in is done with once ranked.
        const std::string_view all(folded_);
        uint32_t index = 0;
        for (size_t hit = 0; (hit = finders[0].in(all, hit)) != std::string_view::npos;) {
            index = recordAt(hit, index);
            rank(index, hit - records_[index].start);
            hit = records_[index].start + records_[index].length;
        }
    }
    lastQuery_ = foldedQuery;
    lastMatches_ = std::move(matches);
    results = std::move(ranks[0]);
    results.insert(results.end(), ranks[1].begin(), ranks[1].end());
    results.insert(results.end(), ranks[2].begin(), ranks[2].end());
    return results;
}

uint32_t searchIndex::recordAt(size_t pos, uint32_t from) const {
    // Hits mostly lie in the record searched from or one of the next few.
    for (int step = 0; step < 4; ++step, ++from)
        if (from + 1 == records_.size() || records_[from + 1].start > pos) return from;
    auto after = std::upper_bound(records_.begin() + from, records_.end(), pos,
                                  [](size_t at, const foldedRecord& record) { return at < record.start; });
    return static_cast<uint32_t>(after - records_.begin() - 1);
}

}  // namespace tv
