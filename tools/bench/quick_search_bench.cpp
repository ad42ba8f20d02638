// The quick search on the generated menu of 100,000 phrases and a history of
// 10,000 entries: building the index when the window opens, and one filter run
// per keystroke, for queries of different reach, each beside a plain byte search
// for the same words in the same folded bytes. Run: bash scripts/bench.sh
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cliphistory/history_list.h"
#include "quicksearch/search_fold.h"
#include "quicksearch/search_index.h"
#include "tools/bench/figures.h"
#include "tools/bench/large_menu.h"

namespace {

struct searchFixture {
    tv::menuModel model;
    tv::historyList history{model};
    tv::searchIndex index;

    searchFixture() {
        tvbench::buildLargeMenu(model);
        for (int i = 0; i < 10000; ++i)
            history.appendEntry("コピーした文字 " + std::to_string(i) + "\\r\\n2行目 Second line");
        index.addMenu(model.root);
        index.addHistory(history);
    }
};

searchFixture& fixture() {
    static searchFixture shared;
    return shared;
}

// What the user types, one benchmark each. Half-width and hiragana queries go
// through the folding; "よろしく" is in every phrase's content, the last query nowhere.
// (The benchmark's label says which in ASCII: the JSON output cannot hold the
// code page's bytes.)
struct typedQuery {
    const char* text;
    const char* what;
};
const typedQuery queries[] = {
    {"定型文5", "display text start"},
    {"ｿ表示 定型文99", "half-width, two words"},
    {"よろしく", "hiragana, every phrase's content"},
    {"ﾌｫﾙﾀﾞ3 お世話", "folder path and content"},
    {"2行目", "history entries only"},
    {"zzzz", "found nowhere"},
};

void BM_QuickSearchKeystroke(benchmark::State& state) {
    const tv::searchIndex& index = fixture().index;
    const typedQuery& query = queries[state.range(0)];
    size_t results = 0;
    for (auto _ : state) {
        // A search that types on narrows the last one: each is measured fresh.
        state.PauseTiming();
        index.find("");
        state.ResumeTiming();
        results = index.find(query.text).size();
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(std::string(query.what) + ": " + std::to_string(index.size()) + " entries, " +
                   std::to_string(results) + " found");
}

// What the filter is measured against: the query folded once, and each of its
// words looked for everywhere in the folded text by a plain search of the
// standard library, with no folding, ranking or entries. The two searches are
// fast on different words (find looks for the first byte with memchr, memmem
// hashes byte pairs), so bench.sh compares with the faster.
template <size_t (*search)(std::string_view text, size_t from, std::string_view word)>
void plainScan(benchmark::State& state) {
    const std::string_view text = fixture().index.foldedText();
    const std::string folded = tv::foldForSearch(queries[state.range(0)].text);
    std::vector<std::string_view> words;
    for (size_t start = 0; (start = folded.find_first_not_of(' ', start)) != std::string::npos;) {
        size_t end = std::min(folded.find(' ', start), folded.size());
        words.push_back(std::string_view(folded).substr(start, end - start));
        start = end;
    }
    size_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (std::string_view word : words)
            for (size_t pos = search(text, 0, word); pos != std::string_view::npos;
                 pos = search(text, pos + word.size(), word))
                ++hits;
        benchmark::DoNotOptimize(hits);
    }
    state.SetLabel(std::to_string(text.size()) + " bytes, " + std::to_string(hits) + " hits");
}

size_t libraryFind(std::string_view text, size_t from, std::string_view word) { return text.find(word, from); }

size_t libraryMemmem(std::string_view text, size_t from, std::string_view word) {
    const void* hit = memmem(text.data() + from, text.size() - from, word.data(), word.size());
    return hit ? static_cast<const char*>(hit) - text.data() : std::string_view::npos;
}

void BM_Baseline_QuickSearchFind(benchmark::State& state) { plainScan<libraryFind>(state); }
void BM_Baseline_QuickSearchMemmem(benchmark::State& state) { plainScan<libraryMemmem>(state); }

void BM_QuickSearchOpenIndex(benchmark::State& state) {
    searchFixture& shared = fixture();
    for (auto _ : state) {
        tv::searchIndex index;
        index.addMenu(shared.model.root);
        index.addHistory(shared.history);
        benchmark::DoNotOptimize(index.size());
    }
}

void keystrokeFigure(benchmark::internal::Benchmark* b) { tvbench::shortFigure(b->DenseRange(0, 5), 9); }

}  // namespace

BENCHMARK(BM_QuickSearchKeystroke)->Apply(keystrokeFigure);
BENCHMARK(BM_Baseline_QuickSearchFind)->Apply(keystrokeFigure);
BENCHMARK(BM_Baseline_QuickSearchMemmem)->Apply(keystrokeFigure);
BENCHMARK(BM_QuickSearchOpenIndex)->Unit(benchmark::kMillisecond)->UseRealTime();
