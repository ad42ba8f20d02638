// The quick search on the generated menu of 100,000 phrases and a history of
// 10,000 entries: building the index when the window opens, and one filter run
// per keystroke, for queries of different reach. Run: bash scripts/bench.sh
#include <benchmark/benchmark.h>

#include <string>

#include "cliphistory/history_list.h"
#include "quicksearch/search_index.h"
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
const char* const queries[] = {
    "定型文5",        // display texts starting with it: 1,100 phrases
    "ｿ表示 定型文99", // half-width katakana and two words
    "よろしく",       // every phrase, by its content: the longest result
    "ﾌｫﾙﾀﾞ3 お世話",  // the folder path and the content
    "2行目",          // history entries only
    "zzzz",           // no match: a full pass for nothing
};

void BM_QuickSearchKeystroke(benchmark::State& state) {
    const tv::searchIndex& index = fixture().index;
    const char* query = queries[state.range(0)];
    size_t results = 0;
    for (auto _ : state) {
        results = index.find(query).size();
        benchmark::DoNotOptimize(results);
    }
    state.SetLabel(std::to_string(index.size()) + " entries, " + std::to_string(results) + " found");
}

void BM_QuickSearchOpenIndex(benchmark::State& state) {
    searchFixture& shared = fixture();
    for (auto _ : state) {
        tv::searchIndex index;
        index.addMenu(shared.model.root);
        index.addHistory(shared.history);
        benchmark::DoNotOptimize(index.size());
    }
}

}  // namespace

BENCHMARK(BM_QuickSearchKeystroke)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_QuickSearchOpenIndex)->Unit(benchmark::kMillisecond)->UseRealTime();
