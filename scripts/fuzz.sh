#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang in their own build.
#   bash scripts/fuzz.sh            build only; ctest in the build runs each target 30 s
#   bash scripts/fuzz.sh SECONDS    build, then run each target that long, one after another
# A crash, sanitizer report or round-trip mismatch leaves its input in crashes/.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# libclang-rt-14-dev has libFuzzer and the sanitizer runtimes; llvm-14 the symbolizer
# that puts function names and lines into their reports.
ensure_packages clang libclang-rt-14-dev llvm-14 cmake make python3
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer}

# clang reads UTF-8 sources but keeps literals UTF-8, so the build compiles a copy
# in which every non-ASCII character is written as its code page 932 bytes in
# octal escapes (one outside code page 932 can only be in a comment, which g++
# would otherwise reject); files that did not change are left alone for make.
source_copy=$FUZZ_BUILD/src
(cd "$TOLVANE_ROOT" && find . -mindepth 1 \( -name build -o -name '.*' \) -prune -o \
   \( -name '*.cpp' -o -name '*.h' -o -name CMakeLists.txt \) -print) |
python3 -c '
import pathlib, sys
root, copy = map(pathlib.Path, sys.argv[1:])
for name in sys.stdin.read().split():
    text = (root / name).read_text(encoding="utf-8")
    text = "".join(c if ord(c) < 128 else "".join("\\%03o" % b for b in c.encode("cp932", "replace")) for c in text)
    target = copy / name
    if not target.exists() or target.read_text(encoding="ascii") != text:
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text, encoding="ascii")
' "$TOLVANE_ROOT" "$source_copy"

log "fuzz build in $FUZZ_BUILD"
CXX=clang++ cmake -S "$TOLVANE_ROOT/tests/fuzz" -B "$FUZZ_BUILD" -G "Unix Makefiles" \
  -DTOLVANE_SOURCE="$source_copy" >/dev/null
cmake --build "$FUZZ_BUILD" -j 2

[ $# -gt 0 ] || exit 0
status=0
for name in menu_file history_file date_format long_clip quick_search; do
  log "fuzz_$name for $1 s"
  out=$FUZZ_BUILD/$name.log
  read -ra options < "$FUZZ_BUILD/fuzz_$name.options"  # the target's own, as its ctest entry has them
  if "$FUZZ_BUILD/fuzz_$name" -max_total_time="$1" -print_final_stats=1 "${options[@]}" \
       -artifact_prefix="$FUZZ_BUILD/crashes/$name-" \
       "$FUZZ_BUILD/corpus/$name" "$TOLVANE_ROOT/tests/fuzz/corpus/$name" > "$out" 2>&1; then
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^stat::' "$out"
  else
    status=1
    tail -n 40 "$out"
  fi
done
exit $status
