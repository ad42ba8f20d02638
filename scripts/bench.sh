#!/usr/bin/env bash
# Builds the native benchmarks and prints their figures, then each one beside its
# baseline with the ratio (shortest wall time of several runs).
set -euo pipefail
source "$(dirname "$0")/common.sh"
ensure_packages
cmake -S "$TOLVANE_ROOT" -B "$BUILD_ROOT/bench" -G "Unix Makefiles" -DTOLVANE_BENCHMARKS=ON -DTOLVANE_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_ROOT/bench" -j "$(nproc)" --target tolvane_bench
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
cd "$workdir"
"$BUILD_ROOT/bench/tools/bench/tolvane_bench" --benchmark_out=results.json --benchmark_out_format=json "$@"
python3 "$TOLVANE_ROOT/tools/bench/print_ratios.py" results.json
