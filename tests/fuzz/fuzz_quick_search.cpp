// The quick search over a menu and a history made from any bytes, with any
// query: every folded text is well formed (each character one to three bytes,
// as UTF-8 writes them), and the results are exactly the entries in which a
// plain search of each field finds every word, in rank order, each once,
// whether searched afresh or typed on from the query's beginnings.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/escaping.h"
#include "quicksearch/search_fold.h"
#include "quicksearch/search_index.h"

namespace {

[[noreturn]] void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: %zu bytes\n", what, text.size());
    std::abort();
}

bool wellFormed(const std::string& folded) {
    for (size_t i = 0; i < folded.size();) {
        unsigned char lead = static_cast<unsigned char>(folded[i]);
        size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || i + length > folded.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(folded[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

std::string folded(const std::string& text) {
    std::string out = tv::foldForSearch(text);
    if (!wellFormed(out)) fail("folded text not well formed", text);
    return out;
}

std::vector<std::string> wordsOf(const std::string& foldedQuery) {
    std::vector<std::string> words;
    std::string word;
    for (char c : foldedQuery + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

// The input in pieces between 0xFF bytes: the query, then pairs of display
// text and content. A display text starting with "/" opens a folder (closed
// again by one starting with "<"), one starting with "#" makes the content a
// history entry; the part of a display text after a 0xFE byte is the item's
// abbreviation.
struct fuzzMenu {
    tv::menuModel model;  // before the list: its entries report to the model's allocator
    tv::historyList history{model};
    std::string query;

    explicit fuzzMenu(const std::string& bytes) {
        std::vector<std::string> pieces(1);
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) == 0xFF)
                pieces.emplace_back();
            else
                pieces.back() += c;
        }
        query = pieces[0];
        std::vector<tv::menuNode*> open{&model.root};
        for (size_t i = 1; i < pieces.size(); i += 2) {
            const std::string& display = pieces[i];
            std::string content = i + 1 < pieces.size() ? pieces[i + 1] : std::string();
            tv::itemFields fields;
            fields.mode = tv::itemMode::inputDataString;
            fields.text = display.substr(0, display.find('\xFE'));
            if (fields.text.size() < display.size()) fields.abbreviation = display.substr(fields.text.size() + 1);
            fields.data = content;
            if (!display.empty() && display[0] == '#') {
                history.appendEntry(tv::escapeText(content, tv::escapeMode::textFile));
            } else if (!display.empty() && display[0] == '<') {
                if (open.size() > 1) open.pop_back();
            } else {
                tv::menuNode node;
                model.createItem(node, fields);
                open.back()->appendChild(std::move(node));
                if (display[0] == '/' && open.size() < 8) open.push_back(&open.back()->lastChild());
            }
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzMenu menu(std::string(reinterpret_cast<const char*>(data), size));
    tv::searchIndex index;
    index.addMenu(menu.model.root);
    index.addHistory(menu.history);

    const std::vector<std::string> words = wordsOf(folded(menu.query));
    std::vector<uint32_t> ranks[3];
    for (uint32_t i = 0; i < index.size(); ++i) {
        const tv::searchEntry& entry = index[i];
        std::string content = entry.fromHistory ? tv::unescapeText(entry.item->text) : entry.item->data;
        if (entry.preview.size() > 160) fail("preview too long", entry.preview);
        // The name is the abbreviation and the display text.
        const std::string fields[] = {folded(entry.abbreviation), folded(entry.display), folded(content),
                                      folded(entry.path)};
        auto holds = [&](size_t first, size_t end, const std::string& word) {
            for (size_t f = first; f < end; ++f)
                if (fields[f].find(word) != std::string::npos) return true;
            return false;
        };
        bool all = true, allInName = true;
        for (const std::string& word : words) {
            all = all && holds(0, 4, word);
            allInName = allInName && holds(0, 2, word);
        }
        if (!all) continue;
        auto starts = [&](const std::string& field) {
            return !field.empty() && field.compare(0, words[0].size(), words[0]) == 0;
        };
        bool startsName = words.empty() || starts(fields[0]) || starts(fields[1]);
        ranks[allInName ? (startsName ? 0 : 1) : 2].push_back(i);
    }
    std::vector<uint32_t> expected = ranks[0];
    expected.insert(expected.end(), ranks[1].begin(), ranks[1].end());
    expected.insert(expected.end(), ranks[2].begin(), ranks[2].end());
    if (index.find(menu.query) != expected) fail("results differ from a plain search of each field", menu.query);
    // Typed a byte at a time, a search may start from the one before it.
    for (size_t typed = 0; typed < menu.query.size(); ++typed) index.find(menu.query.substr(0, typed));
    if (index.find(menu.query) != expected) fail("typing on finds other results than a fresh search", menu.query);
    return 0;
}
