#!/usr/bin/env bash
# The Wine figures, all in one Wine session:
# - opening a menu level of 100, 1,000 and 5,000 entries in tolvane.exe, beside
#   the bare owner-drawn popup of as many entries (tests/e2e/helpers/baremenu).
#   Both are timed from TrackPopupMenu to the menu loop's first idle moment, the
#   menu then shown and painted: tolvane logs it itself when TOLVANE_TIMING_LOG
#   names a file, baremenu prints it.
# - start-up with a data file of 100,000 items until the tray icon is there
#   (and where the last start-up went, from its timing log),
#   beside Wine's Notepad until its window is shown; both started and watched
#   by tests/e2e/helpers/launchtime.
# Each figure is taken ROUNDS times: the minimum and the median are printed,
# and the ratios of both. Uses the Windows build in $BUILD_ROOT/win, building
# it only when it is missing.
# Usage: scripts/bench_wine.sh [ROUNDS] [menus|startup]   (default 7 rounds, both parts)
#   TOLVANE_BENCH_EXE=PATH times that tolvane.exe instead of the build's own.
# shellcheck disable=SC2016  # wait conditions are evaluated later
set -u
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
ROUNDS=${1:-7}
PARTS=${2:-menus startup}
LEVELS=(100 1000 5000)
WIN_BUILD=$BUILD_ROOT/win
TOLVANE_EXE=${TOLVANE_BENCH_EXE:-$WIN_BUILD/app/tolvane.exe}  # another build of it, to compare
HELPERS=$WIN_BUILD/e2e-helpers
DESKTOP=bench

ensure_windows_build() {
  [ -f "$TOLVANE_EXE" ] && [ -f "$HELPERS/baremenu.exe" ] && [ -f "$HELPERS/launchtime.exe" ] && return
  ensure_packages
  log "building the Windows programs in $WIN_BUILD"
  build_windows > /dev/null || { echo "bench_wine: the Windows build failed" >&2; exit 1; }
}

# --- data files ---------------------------------------------------------------

# write_data_file FILE level COUNT   a root level of COUNT phrases
# write_data_file FILE large         10 x 10 x 10 folders of 100 phrases each
# Written as tolvane writes its data file: code page 932, CR LF, the root key
# Ctrl+Alt+M.
write_data_file() {
  python3 - "$@" "$E2E_MENU_HEADER" << 'EOF'
import sys
path, shape, *rest = sys.argv[1:]
header = rest[-1]
lines = [header + "1613\t0\t0"]

def phrase(depth, n):
    lines.append("\t" * depth + f"1\t定型文{n} ソ表示\tいつもお世話になっております。{n}\t0\t0\t0\t\t0")

def folder(depth, n, fill):
    lines.append("\t" * depth + f"0\tフォルダ{n}\t\t0\t0\t0\t\t0")
    lines.append("\t" * depth + "{")
    fill(depth + 1)
    lines.append("\t" * depth + "}")

if shape == "level":
    for n in range(int(rest[0])):
        phrase(0, n)
else:
    leaves = lambda depth: [phrase(depth, n) for n in range(100)]
    nest = lambda fill: lambda depth: [folder(depth, n, fill) for n in range(10)]
    nest(nest(nest(leaves)))(0)
with open(path, "wb") as out:
    out.write("".join(line + "\r\n" for line in lines).encode("cp932"))
EOF
}

# --- figures ------------------------------------------------------------------

# "MIN MEDIAN" of the numbers on standard input, one a line
min_median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) printf "%.1f %.1f\n", v[1], v[int((NR + 1) / 2)] }'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }

# A line "WHAT  MIN MEDIAN  BASE_MIN BASE_MEDIAN  ratios"
print_row() {
  printf '%-22s %9s %9s %11s %9s %8s %8s\n' "$1" "$2" "$3" "$4" "$5" "$(ratio "$2" "$4")" "$(ratio "$3" "$5")"
}

# tolvane_openings COUNT   opens a level of COUNT entries ROUNDS times by its
# key; prints the logged opening times, one a line (messages go to stderr: the
# caller reads the times)
tolvane_openings() {
  local count=$1 round timing_log=$E2E_WORK/open-$1.log
  write_data_file tv2_text.ini level "$count"
  rm -f "$timing_log"
  TOLVANE_TIMING_LOG=$(e2e_winpath "$timing_log") e2e_start_tolvane "$DESKTOP" >&2 || return 1
  for ((round = 1; round <= ROUNDS; round++)); do
    e2e_key ctrl+alt+m
    e2e_wait_until '[ "$(grep -c "^open:" "$timing_log" 2> /dev/null)" -ge $round ]' 60 ||
      { e2e_fail "the level of $count entries did not open" >&2; break; }
    e2e_key Escape
    e2e_wait_no_window '#32768' || { e2e_fail "the level of $count entries did not close" >&2; break; }
  done
  close_program tolvane.exe
  awk '/^open:/ { print $2 }' "$timing_log"
}

# baremenu_openings COUNT   the yardstick's opening times, one a line
baremenu_openings() {
  local round
  for ((round = 1; round <= ROUNDS; round++)); do
    e2e_helper baremenu "$1" | tr -d '\r' | awk '/^open:/ { print $2 }'
  done
}

# close_program NAME   asks the program to close, as a user would, and forces
# it only if it does not. A program killed with its tray icon in place holds up
# the next start in Wine by almost 2 s (the icon's owner is gone).
close_program() {
  wine taskkill /im "$1" > /dev/null 2>&1
  e2e_wait_until "! e2e_running $(printf '%q' "$1")" 20 || e2e_stop "$1"
}

# launch_times (--window CLASS | --file FILE) PROGRAM   start-up times of ROUNDS
# starts, one a line; each start is stopped before the next. FILE is a Unix path,
# emptied before each start.
launch_times() {
  local round ready=$2 program=$3 out=$E2E_WORK/launchtime.out
  [ "$1" = --file ] && ready=$(e2e_winpath "$2")
  for ((round = 1; round <= ROUNDS; round++)); do
    [ "$1" = --file ] && rm -f "$2"
    # Into a file, not a pipe: the started program keeps Wine's standard
    # output open, and a pipe would not end before the program does.
    e2e_helper launchtime "$1" "$ready" "$program" > "$out"
    close_program "$(basename "${program//\\//}")"
    tr -d '\r' < "$out" | awk '/^ready:/ { print $2 }'
  done
}

menu_figures() {
  local count tolvane bare
  e2e_start "$DESKTOP" notepad  # the window the menus are opened over
  e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not start"
  printf '\nOpening a menu level (TrackPopupMenu to the menu shown and idle), ms; ratio = tolvane / bare\n'
  printf '%-22s %9s %9s %11s %9s %8s %8s\n' entries "min" median "bare min" median "min" median
  for count in "${LEVELS[@]}"; do
    tolvane=$(tolvane_openings "$count" | min_median)
    bare=$(baremenu_openings "$count" | min_median)
    # shellcheck disable=SC2086  # "MIN MEDIAN"
    print_row "$count" $tolvane $bare
  done
  e2e_stop notepad.exe
}

startup_figures() {
  local tolvane notepad ready_log=$E2E_WORK/startup/ready.log
  mkdir -p startup && cp "$TOLVANE_EXE" startup/tolvane.exe
  write_data_file startup/tv2_text.ini large
  tolvane=$(cd startup && TOLVANE_TIMING_LOG=$(e2e_winpath "$ready_log") \
    launch_times --file "$ready_log" "$(e2e_winpath tolvane.exe)" | min_median)
  notepad=$(launch_times --window Notepad notepad.exe | min_median)
  printf '\nStart-up, ms; ratio = tolvane / Notepad\n'
  printf '%-22s %9s %9s %11s %9s %8s %8s\n' "" "min" median "Notepad min" median "min" median
  # shellcheck disable=SC2086  # "MIN MEDIAN"
  print_row "100,000 items to tray" $tolvane $notepad
  printf '\nWhere the last start-up went, ms\n'
  tr -d '\r' < "$ready_log" | sed -n 's/^startup: /  /p'
}

ensure_windows_build
e2e_init bench_wine "$HELPERS" "$BUILD_ROOT/bench-wine"
cp "$TOLVANE_EXE" tolvane.exe
echo "Wine figures, $ROUNDS rounds each ($(wine --version 2> /dev/null), $(nproc) CPUs, $(date +%F))"
[[ " $PARTS " == *" menus "* ]] && menu_figures
[[ " $PARTS " == *" startup "* ]] && startup_figures
# Not a test: the figures are the result. A failure above is reported and
# makes the exit status 1. E2E_FINISHED tells the exit trap of lib.sh that the
# script ran to its end.
# shellcheck disable=SC2034
E2E_FINISHED=1
[ "$E2E_FAILED" = 0 ]
