// Throughput of the file formats and the history capture, each next to a baseline
// on the same bytes (splitting into lines, or a raw write) so the ratio shows what
// the format itself costs. Run: bash scripts/bench.sh
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "cliphistory/history_file.h"
#include "cliphistory/history_list.h"
#include "files/atomic_file.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/platform_files.h"

namespace {

// 10 folders x 10 x 10, each holding 100 phrases: 100,000 phrases four levels deep.
void buildLargeMenu(tv::menuModel& model) {
    tv::itemFields root;
    root.text = "メニュー";
    root.vk = 593;
    model.createItem(model.root, root);
    auto folder = [&](tv::menuNode& parent, int n) -> tv::menuNode& {
        tv::menuNode node;
        tv::itemFields fields;
        fields.text = "フォルダ" + std::to_string(n);
        fields.extKey = tv::extKeyExpanded;
        model.createItem(node, fields);
        parent.appendChild(std::move(node));
        return parent.lastChild();
    };
    for (int a = 0; a < 10; ++a) {
        tv::menuNode& level1 = folder(model.root, a);
        for (int b = 0; b < 10; ++b) {
            tv::menuNode& level2 = folder(level1, b);
            for (int c = 0; c < 10; ++c) {
                tv::menuNode& level3 = folder(level2, c);
                for (int d = 0; d < 100; ++d) {
                    tv::menuNode phrase;
                    tv::itemFields fields;
                    fields.mode = tv::itemMode::inputDataString;
                    fields.text = "定型文" + std::to_string(d) + " ソ表示";
                    fields.data = "いつもお世話になっております。\r\n\tよろしくお願いいたします。" + std::to_string(d);
                    model.createItem(phrase, fields);
                    level3.appendChild(std::move(phrase));
                }
            }
        }
    }
}

const std::string& largeMenuBytes() {
    static const std::string bytes = [] {
        tv::menuModel model;
        buildLargeMenu(model);
        tv::stringSink sink;
        tv::formatMenuFile(model, model.root, tv::menuExtent::wholeMenu, sink);
        return sink.text;
    }();
    return bytes;
}

const char* const menuPath = "bench_menu.ini";
const char* const outputPath = "bench_out.bin";

void rawWrite(const std::string& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    tv::flushToDisk(file);
    std::fclose(file);
}

void BM_MenuFileRead(benchmark::State& state) {
    const std::string& bytes = largeMenuBytes();
    rawWrite(menuPath, bytes);
    for (auto _ : state) {
        tv::menuModel model;
        tv::readMenuFile(model, menuPath, model.root, tv::readTarget::runningMenu);
        benchmark::DoNotOptimize(model.root.childCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_Baseline_ReadAndSplitLines(benchmark::State& state) {
    const std::string& bytes = largeMenuBytes();
    rawWrite(menuPath, bytes);
    for (auto _ : state) {
        std::string content;
        tv::readWholeFile(menuPath, content);
        size_t lines = 0, start = 0;
        std::string line;
        for (size_t end; (end = content.find('\n', start)) != std::string::npos; start = end + 1) {
            line.assign(content, start, end - start);
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

template <class Write>
void measureWrite(benchmark::State& state, Write write) {
    tv::menuModel model;
    buildLargeMenu(model);
    size_t written = 0;
    for (auto _ : state) written = write(model);
    state.SetBytesProcessed(state.iterations() * written);
}

size_t fileSize(const char* path) {
    std::string bytes;
    tv::readWholeFile(path, bytes);
    return bytes.size();
}

void BM_MenuFileWrite(benchmark::State& state) {
    measureWrite(state, [](const tv::menuModel& model) {
        tv::writeMenuFile(model, outputPath, model.root, tv::menuExtent::wholeMenu);
        return fileSize(outputPath);
    });
}

void BM_MenuXmlExport(benchmark::State& state) {
    measureWrite(state, [](const tv::menuModel& model) {
        tv::writeMenuXml(model, outputPath, model.root, tv::menuExtent::wholeMenu);
        return fileSize(outputPath);
    });
}

void BM_Baseline_RawWrite(benchmark::State& state) {
    const std::string& bytes = largeMenuBytes();
    for (auto _ : state) rawWrite(outputPath, bytes);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// 1,000 captures into a history of 10,000 entries, each followed by the file rewrite.
void BM_HistoryCaptures(benchmark::State& state) {
    tv::menuModel model;
    tv::historyList history(model);
    history.counts = 10000;
    for (int i = 0; i < 10000; ++i) history.appendEntry("履歴の項目 " + std::to_string(i) + "\\r\\nsecond line");
    size_t bytesWritten = 0;
    int serial = 0;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            history.queueClip("コピーした文字 " + std::to_string(serial++) + "\r\n\tindented");
            history.addPendingClip(false);
            tv::saveHistoryFile(outputPath, history);
            bytesWritten += fileSize(outputPath);
        }
    }
    state.SetBytesProcessed(bytesWritten);
}

void BM_Baseline_HistoryRawWrites(benchmark::State& state) {
    tv::menuModel model;
    tv::historyList history(model);
    for (int i = 0; i < 10000; ++i) history.appendEntry("履歴の項目 " + std::to_string(i) + "\\r\\nsecond line");
    const std::string bytes = tv::encodeHistory(history);
    for (auto _ : state)
        for (int i = 0; i < 1000; ++i) rawWrite(outputPath, bytes);
    state.SetBytesProcessed(state.iterations() * 1000 * bytes.size());
}

}  // namespace

BENCHMARK(BM_MenuFileRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Baseline_ReadAndSplitLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MenuFileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MenuXmlExport)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Baseline_RawWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HistoryCaptures)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_Baseline_HistoryRawWrites)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tv::removeFile(menuPath);
    tv::removeFile(outputPath);
    return 0;
}
