#!/usr/bin/env python3
"""Prints each benchmark figure beside its baseline and the ratio of the two.

Reads the JSON that tolvane_bench writes with --benchmark_out and uses the "min"
aggregate: the shortest of the runs, the one least disturbed by other work.
"""
import json
import sys

# (figure, its benchmark, the baseline's description, the baseline's benchmark)
PAIRS = [
    ("read 100,000 items", "BM_MenuFileRead", "line split", "BM_Baseline_ReadAndSplitLines"),
    ("write 100,000 items", "BM_MenuFileWrite", "flushed raw write", "BM_Baseline_RawWrite"),
    ("XML export", "BM_MenuXmlExport", "flushed raw write", "BM_Baseline_RawWriteXml"),
    ("1,000 history captures", "BM_HistoryCaptures", "1,000 raw writes", "BM_Baseline_HistoryRawWrites"),
]


def shortest_times(path):
    with open(path) as f:
        results = json.load(f)["benchmarks"]
    times = {}
    for run in results:
        if run.get("aggregate_name") == "min":
            times[run["run_name"].split("/")[0]] = (run["real_time"], run["time_unit"])
    return times


def main(path):
    times = shortest_times(path)
    print("\nShortest wall time of each, beside its baseline on the same bytes:")
    for label, name, baseline_label, baseline in PAIRS:
        if name not in times or baseline not in times:
            continue  # filtered out of this run
        (time, unit), (base, base_unit) = times[name], times[baseline]
        assert unit == base_unit, (name, unit, base_unit)
        print(f"  {label}: {time:.1f} {unit}, {baseline_label} {base:.1f} {unit}, ratio {time / base:.1f}x")


if __name__ == "__main__":
    main(sys.argv[1])
