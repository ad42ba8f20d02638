#!/usr/bin/env bash
# Builds both builds and runs every test: the core's unit tests natively and,
# cross-built, under Wine with the Japanese code page; then the tvtool and
# program tests under Wine. The fuzz targets (clang, scripts/fuzz.sh) run 30 s
# each after the native tests. Installs whatever is missing first.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_japanese_locale

log "native build"
build_native
log "Windows build"
build_windows
bash "$TOLVANE_ROOT/scripts/fuzz.sh"

wine_environment
ensure_display

summary=()
run_ctest() {
  local name=$1 dir=$2 out
  log "tests: $name"
  set +e
  out=$(cd "$dir" && ctest --output-on-failure --timeout 600 2>&1)
  local status=$?
  set -e
  printf '%s\n' "$out"
  summary+=("$(printf '%s\n' "$out" | grep -E 'tests passed, [0-9]+ tests failed out of' | tail -n 1)")
  return $status
}

failed=0
run_ctest native "$BUILD_ROOT/native" || failed=1
run_ctest "fuzzing, 30 s a target" "$FUZZ_BUILD" || failed=1
run_ctest "Windows build under Wine" "$BUILD_ROOT/win" || failed=1
wineserver -k 2>/dev/null || true
[ -n "${TOLVANE_XVFB_PID:-}" ] && kill "$TOLVANE_XVFB_PID" 2>/dev/null || true

# One closing line for all the runs together.
passed=0 failed_count=0
for line in "${summary[@]}"; do
  [ -n "$line" ] || { failed=1; continue; }
  f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + t - f))
  failed_count=$((failed_count + f))
done
echo "$passed passed, $failed_count failed"
exit $failed
