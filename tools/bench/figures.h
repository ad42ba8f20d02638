// How a benchmark becomes a figure: the shortest of several runs, since on a
// shared machine the slower ones measure the neighbours. The "min" rows are
// what bench.sh compares.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace tvbench {

inline double shortest(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

// Runs lasting seconds: one iteration per run.
inline void figure(benchmark::internal::Benchmark* b, int runs) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(runs);
    b->ReportAggregatesOnly(true)->ComputeStatistics("min", shortest);
}

// Runs of a few milliseconds: each figure the mean over a short stretch.
inline void shortFigure(benchmark::internal::Benchmark* b, int runs) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.05)->Repetitions(runs);
    b->ReportAggregatesOnly(true)->ComputeStatistics("min", shortest);
}

}  // namespace tvbench
