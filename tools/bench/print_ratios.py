#!/usr/bin/env python3
"""Prints each benchmark figure beside its baseline and the ratio of the two.

Reads the JSON that tolvane_bench writes with --benchmark_out and uses the "min"
aggregate: the shortest of the runs, the one least disturbed by other work.
"""
import json
import sys

# (figure, its benchmark, the baseline's description, the baseline's benchmarks:
# the fastest of them is the baseline)
PAIRS = [
    ("read 100,000 items", "BM_MenuFileRead", "line split", "BM_Baseline_ReadAndSplitLines"),
    ("write 100,000 items", "BM_MenuFileWrite", "flushed raw write", "BM_Baseline_RawWrite"),
    ("XML export", "BM_MenuXmlExport", "flushed raw write", "BM_Baseline_RawWriteXml"),
    ("1,000 history captures", "BM_HistoryCaptures", "1,000 raw writes", "BM_Baseline_HistoryRawWrites"),
] + [
    (f"quick search keystroke {query}", f"BM_QuickSearchKeystroke/{query}", "plain scan of the folded text",
     (f"BM_Baseline_QuickSearchFind/{query}", f"BM_Baseline_QuickSearchMemmem/{query}"))
    for query in range(6)
]


def shortest_times(path):
    with open(path) as f:
        results = json.load(f)["benchmarks"]
    times = {}
    for run in results:
        if run.get("aggregate_name") == "min":
            # The name and its numeric argument, if any: "BM_X/3/min_time:0.050/..." is "BM_X/3".
            parts = run["run_name"].split("/")
            name = "/".join(parts[:2]) if len(parts) > 1 and parts[1].isdigit() else parts[0]
            times[name] = (run["real_time"], run["time_unit"], run.get("label", ""))
    return times


def main(path):
    times = shortest_times(path)
    print("\nShortest wall time of each, beside its baseline on the same bytes:")
    for label, name, baseline_label, baselines in PAIRS:
        baselines = [baselines] if isinstance(baselines, str) else baselines
        if name not in times or any(b not in times for b in baselines):
            continue  # filtered out of this run
        (time, unit, what), (base, base_unit, _) = times[name], min(times[b] for b in baselines)
        assert unit == base_unit, (name, unit, base_unit)
        what = f" ({what})" if what else ""
        print(f"  {label}{what}: {time:.2f} {unit}, {baseline_label} {base:.2f} {unit}, ratio {time / base:.2f}x")


if __name__ == "__main__":
    main(sys.argv[1])
