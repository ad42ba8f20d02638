#!/usr/bin/env bash
# The Wine figures, all in one Wine session and one virtual desktop, each
# program measured round by round beside its baseline (run one after the
# other, a baseline drifts with the shared machine):
# - menus: opening a menu level of 100, 1,000 and 5,000 entries in tolvane.exe,
#   beside the bare owner-drawn popup of as many entries
#   (tests/e2e/helpers/baremenu). Both are timed from TrackPopupMenu to the
#   menu loop's first idle moment, the menu then shown and painted: tolvane
#   logs it itself when TOLVANE_TIMING_LOG names a file, baremenu prints it.
# - startup: start-up with a data file of 100,000 items (6.4 MB) until the tray
#   icon is there (and where the last start-up went, from its timing log),
#   beside Wine's Notepad until its window is shown; both started and watched
#   by tests/e2e/helpers/launchtime.
# - editor: the settings editor on the same 100,000 items: opening it (command
#   110 until the tree is shown and enabled), キャンセル of an unchanged
#   editor (discard and reload), and on an editor opened again 更新, sorting
#   the root, OK, and (opened again) importing the same file under the root
#   (from the file dialog's answer to the tree redrawn, from its timing log),
#   beside the program's start-up with the same file and, for the saves, a
#   whole run of `tvtool rewrite` of it, and for the sort, its core sort of the
#   folder's nodes plus one redraw of the tree (from its timing log). editorctl
#   reads the performance counter before and after each action (its "clock"
#   command). And the program's private memory (editorctl's "memory": the
#   committed private regions): what the open editor adds beside what the
#   running menu itself takes (the program on the large file less the same
#   program on 100 items), and what stays after キャンセル and after OK beside
#   what it had before that opening.
# - search: the quick search's time per keystroke (the filter and the list's
#   redraw, logged by tolvane) on the same 100,000 items and a history of
#   10,000 entries, beside the same on 200 rows: 190 items in folders as deep
#   and 10 history entries.
# Each figure is taken ROUNDS times: the minimum and the median are printed,
# and the ratios of both. Uses the Windows build in $BUILD_ROOT/win, building
# it only when it is missing.
# Usage: scripts/bench_wine.sh [ROUNDS] [PARTS]   (default 7 rounds, PARTS
#   "menus startup editor search"; the editor's rounds take a minute or more each)
#   TOLVANE_BENCH_EXE=PATH times that tolvane.exe instead of the build's own.
#   TOLVANE_BENCH_EDITOR_ROUNDS=N gives the editor part its own round count.
#   PARTS may also name "flat": the editor's figures on a data file whose root
#   holds one open folder of 100,000 phrases (TOLVANE_BENCH_FLAT_COUNT=N: N
#   phrases). A flat root would time Wine's menus instead: Wine makes a menu
#   level in time that grows with the square of its entries (a root of 100,000
#   takes the program's start-up 160 s).
# shellcheck disable=SC2016  # wait conditions are evaluated later
set -u
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
ROUNDS=${1:-7}
PARTS=${2:-menus startup editor search}
EDITOR_ROUNDS=${TOLVANE_BENCH_EDITOR_ROUNDS:-$ROUNDS}
FLAT_COUNT=${TOLVANE_BENCH_FLAT_COUNT:-100000}
LEVELS=(100 1000 5000)
WIN_BUILD=$BUILD_ROOT/win
TOLVANE_EXE=${TOLVANE_BENCH_EXE:-$WIN_BUILD/app/tolvane.exe}  # another build of it, to compare
TVTOOL_EXE=$WIN_BUILD/tools/tvtool/tvtool.exe
HELPERS=$WIN_BUILD/e2e-helpers
DESKTOP=bench
# Wine closes a desktop its last program has left: WordPad keeps this one for
# the whole run, and is no baseline of anything.
KEEPER='C:\Program Files\Windows NT\Accessories\wordpad.exe'

ensure_windows_build() {
  [ -f "$TOLVANE_EXE" ] && [ -f "$TVTOOL_EXE" ] && [ -f "$HELPERS/baremenu.exe" ] &&
    [ -f "$HELPERS/launchtime.exe" ] && [ -f "$HELPERS/editorctl.exe" ] && return
  ensure_packages
  log "building the Windows programs in $WIN_BUILD"
  build_windows > /dev/null || { echo "bench_wine: the Windows build failed" >&2; exit 1; }
}

# --- data files ---------------------------------------------------------------

# write_data_file FILE level COUNT   a root level of COUNT phrases
# write_data_file FILE folder COUNT  a root holding one folder, shown open in
#                                    the settings editor, of COUNT phrases
# write_data_file FILE large         10 x 10 x 10 folders of 100 phrases each
# write_data_file FILE tree A B C N  A x B x C folders of N phrases each
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
elif shape == "folder":
    lines.append("0\tフォルダ\t\t0\t16\t0\t\t0")
    lines.append("{")
    for n in range(int(rest[0])):
        phrase(1, n)
    lines.append("}")
else:
    a, b, c, count = map(int, rest[:4]) if shape == "tree" else (10, 10, 10, 100)
    leaves = lambda depth: [phrase(depth, n) for n in range(count)]
    nest = lambda width, fill: lambda depth: [folder(depth, n, fill) for n in range(width)]
    nest(a, nest(b, nest(c, leaves)))(0)
with open(path, "wb") as out:
    out.write("".join(line + "\r\n" for line in lines).encode("cp932"))
EOF
}

# write_clips_file FILE COUNT   a clips.dat of COUNT two-line entries, newest
# first: a 16-bit count, then per entry a 16-bit length and its bytes (escaped)
write_clips_file() {
  python3 - "$@" << 'EOF'
import struct, sys
path, count = sys.argv[1], int(sys.argv[2])
entries = [f"コピーした文字 {n}\\r\\n2行目 Second line".encode("cp932") for n in range(count)]
with open(path, "wb") as out:
    out.write(struct.pack("<H", count) + b"".join(struct.pack("<H", len(e)) + e for e in entries))
EOF
}

# --- figures ------------------------------------------------------------------

# "MIN MEDIAN" of the numbers on standard input, one a line ("- -" for none)
min_median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR) printf "%.1f %.1f\n", v[1], v[int((NR + 1) / 2)]; else print "- -" }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else printf "-" }'; }

# print_row WHAT FIGURES_FILE BASELINE_FILE   "WHAT  MIN MEDIAN  BASE_MIN BASE_MEDIAN  ratios"
print_row() {
  local figure base wide
  read -r -a figure <<< "$(cat "$2" 2> /dev/null | min_median)"
  read -r -a base <<< "$(cat "$3" 2> /dev/null | min_median)"
  # printf pads by bytes: a Japanese character is 3 bytes but 2 columns wide.
  wide=$((($(printf %s "$1" | wc -c) - ${#1}) / 2))
  printf '%-*s %9s %9s %11s %9s %8s %8s\n' $((26 + wide)) "$1" "${figure[0]}" "${figure[1]}" "${base[0]}" "${base[1]}" \
    "$(ratio "${figure[0]}" "${base[0]}")" "$(ratio "${figure[1]}" "${base[1]}")"
}

print_heading() {
  printf '\n%s\n%-26s %9s %9s %11s %9s %8s %8s\n' "$1" "" "min" median "$2 min" median "min" median
}

# tolvane_opening COUNT ROUND   opens the level of COUNT entries by its key (the
# ROUND-th time) and closes it; the running tolvane logs the time
tolvane_opening() {
  local timing_log=$E2E_WORK/open-$1.log round=$2
  e2e_key ctrl+alt+m
  e2e_wait_until '[ "$(grep -c "^open:" "$timing_log" 2> /dev/null)" -ge $round ]' 60 ||
    { e2e_fail "the level of $1 entries did not open"; return 1; }
  e2e_key Escape
  e2e_wait_no_window '#32768' || { e2e_fail "the level of $1 entries did not close"; return 1; }
}

# menu_level_row COUNT   tolvane's and the bare popup's openings of a level of
# COUNT entries, taken in turn
menu_level_row() {
  local count=$1 round timing_log=$E2E_WORK/open-$1.log bare=$E2E_WORK/bare-$1.times
  write_data_file tv2_text.ini level "$count"
  rm -f "$timing_log" "$bare"
  TOLVANE_TIMING_LOG=$(e2e_winpath "$timing_log") e2e_start_tolvane "$DESKTOP" || return 1
  for ((round = 1; round <= ROUNDS; round++)); do
    tolvane_opening "$count" "$round" || break
    e2e_helper baremenu "$count" | tr -d '\r' | awk '/^open:/ { print $2 }' >> "$bare"
  done
  close_program tolvane.exe
  awk '/^open:/ { print $2 }' "$timing_log" > "$E2E_WORK/open-$count.times"
  print_row "$count" "$E2E_WORK/open-$count.times" "$bare"
}

# close_program NAME   asks the program to close, as a user would, and forces
# it only if it does not. A program killed with its tray icon in place holds up
# the next start in Wine by almost 2 s (the icon's owner is gone).
close_program() {
  wine taskkill /im "$1" > /dev/null 2>&1
  e2e_wait_until "! e2e_running $(printf '%q' "$1")" 20 || e2e_stop "$1"
}

# start_timed (--window CLASS | --file FILE) PROGRAM   starts PROGRAM, leaves it
# running and prints how long it took to get ready. FILE is a Unix path,
# emptied first.
start_timed() {
  local ready=$2 out=$E2E_WORK/launchtime.out
  [ "$1" = --file ] && { rm -f "$2"; ready=$(e2e_winpath "$2"); }
  # Into a file, not a pipe: the started program keeps Wine's standard
  # output open, and a pipe would not end before the program does.
  e2e_helper launchtime "$1" "$ready" "$3" > "$out"
  tr -d '\r' < "$out" | awk '/^ready:/ { print $2 }'
}

menu_figures() {
  local count
  e2e_start "$DESKTOP" notepad  # the window the menus are opened over
  e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not start"
  print_heading "Opening a menu level (TrackPopupMenu to the menu shown and idle), ms; ratio = tolvane / bare" bare
  for count in "${LEVELS[@]}"; do menu_level_row "$count"; done
  e2e_stop notepad.exe
}

# prepare_large_menu [FOLDER SHAPE...]   a data file of 100,000 items and a
# copy of the program beside it, in FOLDER (startup/, nested folders by
# default; see write_data_file for the shapes); and in small/, the same on 100
prepare_large_menu() {
  MENU_FOLDER=$E2E_WORK/${1:-startup}
  LARGE_FILE=$MENU_FOLDER/tv2_text.ini
  READY_LOG=$MENU_FOLDER/ready.log
  mkdir -p "$E2E_WORK/small" && cp "$TOLVANE_EXE" "$E2E_WORK/small/tolvane.exe"
  write_data_file "$E2E_WORK/small/tv2_text.ini" level 100
  [ -f "$LARGE_FILE" ] && return
  mkdir -p "$MENU_FOLDER" && cp "$TOLVANE_EXE" "$MENU_FOLDER/tolvane.exe"
  if [ $# -gt 1 ]; then write_data_file "$LARGE_FILE" "${@:2}"; else write_data_file "$LARGE_FILE" large; fi
}

# tolvane_started [FOLDER]   starts the copy in FOLDER (by default the one
# beside the large file) on its data file, prints its start-up time and leaves
# it running
tolvane_started() {
  local folder=${1:-$MENU_FOLDER}
  (cd "$folder" && TOLVANE_TIMING_LOG=$(e2e_winpath "$folder/ready.log") \
    start_timed --file "$folder/ready.log" "$(e2e_winpath tolvane.exe)")
}

large_menu_size() { awk -v bytes="$(stat -c %s "$LARGE_FILE")" 'BEGIN { printf "%.1f MB", bytes / 1e6 }'; }

startup_figures() {
  local round times=$E2E_WORK/startup.times notepad=$E2E_WORK/notepad.times
  prepare_large_menu
  rm -f "$times" "$notepad"
  for ((round = 1; round <= ROUNDS; round++)); do
    tolvane_started >> "$times"
    close_program tolvane.exe
    start_timed --window Notepad notepad.exe >> "$notepad"
    close_program notepad.exe
  done
  print_heading "Start-up, ms; ratio = tolvane / Notepad" Notepad
  print_row "100,000 items to tray" "$times" "$notepad"
  printf '(the data file: %s)\n\nWhere the last start-up went, ms\n' "$(large_menu_size)"
  tr -d '\r' < "$READY_LOG" | sed -n 's/^startup: /  /p'
}

# --- the editor ---------------------------------------------------------------

# The editor's actions may take minutes on a large menu.
bench_ctl() { E2E_TIMEOUT=600 e2e_editorctl "$@" | tr -d '\r'; }

# clock_span   the milliseconds between the first two "clock:" lines of its input
clock_span() { awk '/^clock:/ { t[++n] = $2 } END { if (n >= 2) printf "%.1f\n", t[2] - t[1] }'; }

# timed_action COMMANDS...   the time the editor takes to handle the commands
# (the window is looked for before the clock starts)
timed_action() { bench_ctl window clock "$@" clock | clock_span; }

# editor_opening   command 110 to the running program until the editor's tree
# is shown and enabled (looked for every 20 ms)
editor_opening() { { bench_ctl --class TV2 clock post 110 && bench_ctl --poll 20 wait-window clock; } | clock_span; }

# rewrite_time   a whole run of tvtool rewrite of the large file under Wine
rewrite_time() {
  local start end
  start=$(date +%s%N)
  wine "$TVTOOL_EXE" rewrite "$(e2e_winpath "$LARGE_FILE")" "$(e2e_winpath "$E2E_WORK/rewritten.ini")" > /dev/null 2>&1 ||
    { e2e_fail "tvtool rewrite failed"; return 1; }
  end=$(date +%s%N)
  awk -v ns=$((end - start)) 'BEGIN { printf "%.1f\n", ns / 1e6 }'
}

# sort_and_redraw   the sort's own share of the last sort the program logged
# (its core sort of the folder's nodes plus one redraw of the tree), in ms
sort_and_redraw() {
  tr -d '\r' < "$READY_LOG" | awk '/^editor: sort / { s = $3 } /^editor: redraw / { r = $3 }
    END { if (s != "" && r != "") printf "%.1f\n", s + r }'
}

# import_time   imports the large file under the entry at SORTED, through the
# file dialog as a user would, and prints how long the program took from the
# dialog's answer to the tree redrawn (from its timing log); the editor then
# closes without saving
import_time() {
  e2e_editor_menu_command "$SORTED" f i
  e2e_file_dialog "Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．" "$(e2e_winpath "$LARGE_FILE")"
  e2e_wait_until 'grep -q "^editor: import: fill" "$READY_LOG"' 600 || return 1
  bench_ctl click "$IDCANCEL" > /dev/null
  bench_ctl answer 7 > /dev/null
  tr -d '\r' < "$READY_LOG" | awk '/^editor: import: / { sum += $(NF - 1) } END { printf "%.1f\n", sum }'
}

# record NAME VALUE   one figure of a round, into editor-NAME.times
record() {
  [ -n "$2" ] || { e2e_fail "no figure for $1"; return 1; }
  echo "$2" >> "$E2E_WORK/editor-$1.times"
}

# private_memory   the running program's private memory in MB, once what it
# has just done has settled
private_memory() {
  sleep 1
  bench_ctl --class TV2 memory | awk '/^memory:/ { printf "%.1f\n", $3 / 1024 }'
}

# record_difference NAME A B   records A - B as figure NAME
record_difference() { record "$1" "$(awk -v a="$2" -v b="$3" 'BEGIN { if (a != "" && b != "") printf "%.1f", a - b }')"; }

# small_program_memory   the private memory of the program on 100 items
small_program_memory() {
  tolvane_started "$E2E_WORK/small" > /dev/null
  private_memory
  close_program tolvane.exe
}

# editor_round   one start of the program on the large file and, on it, every
# editor action once, beside a tvtool rewrite of the file; the program's
# private memory before, while and after the editor is open
editor_round() {
  local small before after
  small=$(small_program_memory)
  record startup "$(tolvane_started)" || return 1
  record rewrite "$(rewrite_time)"
  before=$(private_memory)
  record_difference memory-menu "$before" "$small"
  record open "$(editor_opening)" || return 1
  record_difference memory-editor "$(private_memory)" "$before"
  record cancel "$(timed_action click "$IDCANCEL")"
  after=$(private_memory)
  record memory-cancel "$after"
  record memory-before-cancel "$before"
  editor_opening > /dev/null
  record apply "$(timed_action click "$IDC_APPLY")"
  bench_ctl select "$SORTED"
  record sort "$(timed_action command "$IDM_SORT_NAME_ASC")"
  record sorting "$(sort_and_redraw)"
  record ok "$(timed_action click "$IDC_OK")"
  record memory-ok "$(private_memory)"
  record memory-before-ok "$after"
  editor_opening > /dev/null
  record import "$(import_time)" || return 1
}

# editor_figures [WHAT SORTED FOLDER SHAPE...]   the editor's figures on the
# large menu (by default the nested one in startup/), sorting the entry at
# the path SORTED (editorctl's paths; by default the root)
editor_figures() {
  local round figures=$E2E_WORK/editor what=${1:-100,000 items}
  SORTED=${2:-0}
  prepare_large_menu "${@:3}"
  rm -f "$E2E_WORK"/editor-*.times
  for ((round = 1; round <= EDITOR_ROUNDS; round++)); do
    editor_round || e2e_fail "editor round $round did not finish"
    close_program tolvane.exe
  done
  print_heading "The settings editor on $what, ms; ratio = editor / baseline ($EDITOR_ROUNDS rounds)" baseline
  print_row "open / start-up" "$figures-open.times" "$figures-startup.times"
  print_row "更新 / tvtool rewrite" "$figures-apply.times" "$figures-rewrite.times"
  print_row "OK / tvtool rewrite" "$figures-ok.times" "$figures-rewrite.times"
  print_row "sort / sort + redraw" "$figures-sort.times" "$figures-sorting.times"
  print_row "import / start-up" "$figures-import.times" "$figures-startup.times"
  print_row "キャンセル / start-up" "$figures-cancel.times" "$figures-startup.times"
  print_heading "The program's private memory on $what, MB; ratio = figure / baseline" baseline
  print_row "editor adds / menu takes" "$figures-memory-editor.times" "$figures-memory-menu.times"
  print_row "after キャンセル / before" "$figures-memory-cancel.times" "$figures-memory-before-cancel.times"
  print_row "after OK / before open" "$figures-memory-ok.times" "$figures-memory-before-ok.times"
  printf '(menu takes: on %s less on 100 items; before: the editor not yet open)\n' "$what"
}

# --- the quick search ---------------------------------------------------------

SEARCH_KEYS="2 se"  # each fills the list in both: phrases and history, then the history

# prepare_search NAME CLIPS SHAPE [COUNT]   search-NAME/: a copy of the program
# beside its data file (as write_data_file makes it) and a history of CLIPS
# entries
prepare_search() {
  local folder=$E2E_WORK/search-$1
  mkdir -p "$folder" && cp "$TOLVANE_EXE" "$folder/tolvane.exe"
  write_clips_file "$folder/clips.dat" "$2"
  write_data_file "$folder/tv2_text.ini" "${@:3}"
}

# search_keystrokes NAME   starts the program in search-NAME/, opens the quick
# search over Notepad, types SEARCH_KEYS and prints the average time a key took
search_keystrokes() {
  local folder=$E2E_WORK/search-$1 log=$E2E_WORK/search-$1/timing.log
  rm -f "$log"
  pushd "$folder" > /dev/null || return 1
  TOLVANE_TIMING_LOG=$(e2e_winpath "$log") e2e_start_tolvane "$DESKTOP"
  popd > /dev/null || return 1
  e2e_reset_notepad
  e2e_key ctrl+alt+f
  e2e_wait_until '[ "$(e2e_foreground_class)" = TolvaneSearch ]' 60 || { e2e_fail "the $1 search did not open"; return 1; }
  e2e_type "$SEARCH_KEYS"
  e2e_wait_until '[ "$(grep -c "^search:" "$log" 2> /dev/null)" -ge ${#SEARCH_KEYS} ]' 60 ||
    { e2e_fail "the $1 search did not log its keys"; return 1; }
  e2e_key Escape
  close_program tolvane.exe
  tr -d '\r' < "$log" | awk '/^search:/ { sum += $2; n++ } END { printf "%.1f\n", sum / n }'
}

search_figures() {
  local round large=$E2E_WORK/search-large.times small=$E2E_WORK/search-small.times
  prepare_search large 10000 large
  prepare_search small 10 tree 1 1 2 95
  rm -f "$large" "$small"
  e2e_start "$DESKTOP" notepad  # the quick search opens at its caret
  e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not start"
  for ((round = 1; round <= ROUNDS; round++)); do
    search_keystrokes large >> "$large" || break
    search_keystrokes small >> "$small" || break
  done
  e2e_stop notepad.exe
  print_heading "The quick search, ms per keystroke (filter and redraw, keys \"$SEARCH_KEYS\"); ratio = large / small" "200 rows"
  print_row "100,000 items + 10,000" "$large" "$small"
}

# The editor's controls and commands (res/resource.h).
IDC_APPLY=1014
IDC_OK=1019
IDCANCEL=2
IDM_SORT_NAME_ASC=40037

ensure_windows_build
e2e_init bench_wine "$HELPERS" "$BUILD_ROOT/bench-wine"
cp "$TOLVANE_EXE" tolvane.exe
echo "Wine figures, $ROUNDS rounds each ($(wine --version 2> /dev/null), $(nproc) CPUs, $(date +%F))"
e2e_start "$DESKTOP" "$KEEPER" || exit 1
[[ " $PARTS " == *" menus "* ]] && menu_figures
[[ " $PARTS " == *" startup "* ]] && startup_figures
[[ " $PARTS " == *" editor "* ]] && editor_figures
[[ " $PARTS " == *" flat "* ]] && editor_figures "an open folder of $FLAT_COUNT phrases" 1 flat folder "$FLAT_COUNT"
[[ " $PARTS " == *" search "* ]] && search_figures
# Not a test: the figures are the result. A failure above is reported and
# makes the exit status 1. E2E_FINISHED tells the exit trap of lib.sh that the
# script ran to its end.
# shellcheck disable=SC2034
E2E_FINISHED=1
[ "$E2E_FAILED" = 0 ]
