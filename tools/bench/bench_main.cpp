// Throughput of the file formats and the history capture, each next to a baseline
// on the same bytes (splitting into lines, or a raw write) so the ratio shows what
// the format itself costs. Run: bash scripts/bench.sh, which prints the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cliphistory/history_file.h"
#include "cliphistory/history_list.h"
#include "files/atomic_file.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/platform_files.h"
#include "tools/bench/figures.h"
#include "tools/bench/large_menu.h"

namespace {

// The generated menu in one of the formats, made once.
template <void (*format)(const tv::menuModel&, const tv::menuNode&, tv::menuExtent, tv::byteSink&)>
const std::string& largeMenuAs() {
    static const std::string bytes = [] {
        tv::menuModel model;
        tvbench::buildLargeMenu(model);
        tv::stringSink sink;
        format(model, model.root, tv::menuExtent::wholeMenu, sink);
        return sink.text;
    }();
    return bytes;
}

const std::string& largeMenuBytes() { return largeMenuAs<tv::formatMenuFile>(); }
const std::string& largeMenuXml() { return largeMenuAs<tv::formatMenuXml>(); }

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

size_t fileSize(const char* path) {
    std::string bytes;
    tv::readWholeFile(path, bytes);
    return bytes.size();
}

template <class Write>
void measureWrite(benchmark::State& state, Write write) {
    tv::menuModel model;
    tvbench::buildLargeMenu(model);
    for (auto _ : state) write(model);
    // Measured after the runs: reading the file back is no part of writing it.
    state.SetBytesProcessed(state.iterations() * fileSize(outputPath));
}

void BM_MenuFileWrite(benchmark::State& state) {
    measureWrite(state, [](const tv::menuModel& model) {
        tv::writeMenuFile(model, outputPath, model.root, tv::menuExtent::wholeMenu);
    });
}

void BM_MenuXmlExport(benchmark::State& state) {
    measureWrite(state, [](const tv::menuModel& model) {
        tv::writeMenuXml(model, outputPath, model.root, tv::menuExtent::wholeMenu);
    });
}

void measureRawWrite(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) rawWrite(outputPath, bytes);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_Baseline_RawWrite(benchmark::State& state) { measureRawWrite(state, largeMenuBytes()); }
void BM_Baseline_RawWriteXml(benchmark::State& state) { measureRawWrite(state, largeMenuXml()); }

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

void fileFigure(benchmark::internal::Benchmark* b) { tvbench::figure(b, 15); }
void historyFigure(benchmark::internal::Benchmark* b) { tvbench::figure(b, 3); }

}  // namespace

BENCHMARK(BM_MenuFileRead)->Apply(fileFigure);
BENCHMARK(BM_Baseline_ReadAndSplitLines)->Apply(fileFigure);
BENCHMARK(BM_MenuFileWrite)->Apply(fileFigure);
BENCHMARK(BM_Baseline_RawWrite)->Apply(fileFigure);
BENCHMARK(BM_MenuXmlExport)->Apply(fileFigure);
BENCHMARK(BM_Baseline_RawWriteXml)->Apply(fileFigure);
BENCHMARK(BM_HistoryCaptures)->Apply(historyFigure);
BENCHMARK(BM_Baseline_HistoryRawWrites)->Apply(historyFigure);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tv::removeFile(menuPath);
    tv::removeFile(outputPath);
    return 0;
}
