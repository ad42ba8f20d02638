// What the quick search finds: every menu item that does something when chosen
// and every clipboard-history entry, folded once when the window opens, and the
// ranked filter that runs on every keystroke.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cliphistory/history_list.h"
#include "model/menu_node.h"

namespace tv {

struct searchEntry {
    itemRef item;            // held, so a result stays valid while the window shows it
    std::string display;     // the display text without "&" (a history entry: its escaped text)
    std::string abbreviation;  // shown beside the display text; empty for none
    std::string path;        // display texts of the enclosing folders, TAB between them
    std::string preview;     // the content on one line, cut short
    bool fromHistory = false;
    // Set for an entry whose content holds characters code page 932 lacks: the
    // display text and the preview as shown, with every character.
    bool unicode = false;
    std::u16string unicodeDisplay;
    std::u16string unicodePreview;
};

// True for an item that does something when chosen: not the root, not a folder
// (a node with children opens its submenu), not a separator, placeholder or
// history submenu (its entries are found on their own). A folder popup counts:
// choosing it opens its folder menu.
bool isSearchable(const menuNode& node);

// Line breaks and TABs as single blanks, at most maxBytes bytes, never half a
// double-byte character.
std::string oneLinePreview(std::string_view text, size_t maxBytes);
// The same in UTF-16 units, never half a surrogate pair.
std::u16string oneLinePreview(std::u16string_view text, size_t maxUnits);

class searchIndex {
public:
    // Entries keep this order, which is the order of equally ranked results:
    // the menu's items first, in menu order, then the history, newest first.
    void addMenu(const menuNode& root);
    void addHistory(const historyList& history);

    // The entries matching every blank-separated word of the query in the display
    // text, the abbreviation, the content or the folder path, in rank order: names
    // that start with the first word (and hold every word), then names holding
    // every word, then the rest; each group in entry order. The name is the display
    // text and the abbreviation, so typing an abbreviation finds its item first.
    // An empty query gives all. The query is code page 932 text, or any text
    // (a query the code page cannot hold finds what holds its characters).
    // Typing narrows a search: a query that extends the last one looks only at
    // the entries the last one found.
    std::vector<uint32_t> find(std::string_view query) const;
    std::vector<uint32_t> find(std::u16string_view query) const;

    const searchEntry& operator[](size_t index) const { return entries_[index]; }
    size_t size() const { return entries_.size(); }
    // The folded text every query is looked for in, to measure the filter against.
    std::string_view foldedText() const { return folded_; }

private:
    // The display text and content are folded from the code page 932 bytes,
    // or from the full text where one is given.
    void add(searchEntry entry, std::string_view content, const std::u16string* fullDisplay = nullptr,
             const std::u16string* fullContent = nullptr);
    std::vector<uint32_t> findFolded(const std::string& foldedQuery) const;
    // The record holding the folded byte at pos, looking from record `from` on.
    uint32_t recordAt(size_t pos, uint32_t from) const;

    // Where an entry's folded text lies in folded_: the abbreviation, 0x01, the
    // display text, then 0x01, the content, 0x01 and the path, and a 0x01 after
    // it. No word holds 0x01, so no hit spans two fields or two entries.
    struct foldedRecord {
        uint32_t start;
        uint32_t abbreviationLength;
        uint32_t nameLength;  // the abbreviation, 0x01 and the display text
        uint32_t length;
    };
    std::vector<searchEntry> entries_;
    std::vector<foldedRecord> records_;
    std::string folded_;
    // How often each byte occurs in folded_: a word is looked for by its rarest.
    std::array<uint32_t, 256> byteCounts_{};
    // The last query with words, folded, and the entries it found in entry order.
    mutable std::string lastQuery_;
    mutable std::optional<std::vector<uint32_t>> lastMatches_;
};

}  // namespace tv
