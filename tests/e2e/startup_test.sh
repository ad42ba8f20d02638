#!/usr/bin/env bash
# Start-up of tolvane.exe: where its menu comes from and which data file it
# writes (nothing there, only the initial menu, a file that is not ours), one
# running copy per user unless a data file is named, the same when the program
# lives in a folder named in Japanese, and the tray icon.
# Usage: startup_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE ORG_TEXT_INI
# shellcheck disable=SC2015,SC2016,SC2034  # e2e_pass never fails; wait conditions, and the variables only they read, are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
ORG_TEXT=$(realpath "${4:?org_text.ini}")
e2e_init startup "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=startup

header=$E2E_MENU_HEADER
# The menu built when no data file can be read; its data's line break is
# written as the four bytes \r\n.
fallback="${header}0	0	0
5	データ読み込めず	データ読み込みに失敗しました．\\r\\n設定ファイルを見つけることができませんでした	0	0	0		0
"
e2e_sjis "${fallback//$'\n'/$'\r\n'}" fallback.expected

# new_folder NAME: a folder holding only a copy of tolvane.exe, made current.
# The program falls back to its own folder for its files, so it must not run
# from the build folder, where an org_text.ini lies.
new_folder() {
  cd "$E2E_WORK" && mkdir "$1" && cp "$TOLVANE_EXE" "$1/" && cd "$1" || exit 2
}

# start_tolvane NAME [DATA_FILE]: runs the tolvane.exe of the current folder in
# the test's desktop from a batch file, which writes the exit code to
# $E2E_WORK/NAME.exit when the program has ended (cmd waits for every program
# of a batch file). The process's exit code is seen this way only: "wine
# explorer /desktop=..." returns before the program it starts has ended.
start_tolvane() {
  local batch=$E2E_WORK/$1.bat
  printf '@echo off\r\n"%s" %s\r\necho %%errorlevel%%> "%s"\r\n' \
    "$(e2e_winpath tolvane.exe)" "${2:-}" "$(e2e_winpath "$E2E_WORK/$1.exit")" > "$batch"
  e2e_start "$DESKTOP" cmd /c "$(e2e_winpath "$batch")"
}

tv2_windows() { e2e_winlist --class TV2 2> /dev/null; }

# wait_tv2_windows N: until N main windows exist; the data file is written before them.
wait_tv2_windows() {
  local count=$1
  e2e_wait_until '[ "$(tv2_windows | grep -c .)" = "$count" ]'
}

# Ends every Wine program of the test, the desktop included, so the next case
# starts a first copy again.
stop_all() {
  wineserver -k 2> /dev/null
  wineserver -w 2> /dev/null
  unset E2E_DESKTOP
}

test_empty_folder() {
  new_folder empty
  start_tolvane empty
  wait_tv2_windows 1 || { e2e_fail "no main window of class TV2 in an empty folder"; return; }
  e2e_pass "tolvane starts in an empty folder"
  e2e_expect_bytes tv2_text.ini "$E2E_WORK/fallback.expected" \
    "with no data file anywhere the fallback menu is written as tv2_text.ini"
  [ ! -e tv2_text.ini.rejected ] && e2e_pass "nothing is kept as rejected when there was no file" ||
    e2e_fail "tv2_text.ini.rejected made from a missing file"
}

# Right-clicking the icon opens the menu. The icon comes after the main window,
# so the click is repeated until the menu shows.
test_tray_icon() {
  local point rect
  point=$(e2e_tray_point) || { e2e_fail "no taskbar: $(e2e_winlist --visible)"; return; }
  # shellcheck disable=SC2086  # "X Y"
  e2e_wait_until 'e2e_click $point 3; e2e_wait_until "rect=\$(e2e_menu_rect)" 2' ||
    { e2e_fail "a right click on the tray icon at ($point) opened no menu"; return; }
  e2e_pass "a right click on the tray icon opens the popup menu ($rect)"
  e2e_key Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the tray menu" || e2e_fail "the tray menu stayed open"
}

# Started again without arguments, the program leaves the first copy running
# and ends with exit code 0; a data-file argument starts a second copy beside it.
test_single_instance() {
  local first second
  first=$(tv2_windows | cut -f1,3)
  start_tolvane second
  e2e_wait_file "$E2E_WORK/second.exit" ||
    { e2e_fail "a second start without arguments did not end: $(tv2_windows)"; return; }
  [ "$(tr -d ' \r\n' < "$E2E_WORK/second.exit")" = 0 ] && e2e_pass "a second start without arguments exits with 0" ||
    e2e_fail "a second start exited with [$(cat "$E2E_WORK/second.exit")]"
  [ "$(tv2_windows | cut -f1,3)" = "$first" ] && [ ! -e "$E2E_WORK/empty.exit" ] &&
    e2e_pass "the first copy keeps running with its window" ||
    e2e_fail "main windows after the second start: [$(tv2_windows)], before: [$first]"

  start_tolvane other other.ini
  wait_tv2_windows 2 || { e2e_fail "no second main window with a data-file argument: $(tv2_windows)"; return; }
  second=$(tv2_windows | cut -f3 | sort -u | wc -l)
  [ "$second" = 2 ] && e2e_pass "a start with a data-file argument runs beside the first copy" ||
    e2e_fail "two TV2 windows but not two processes: $(tv2_windows)"
  e2e_expect_bytes other.ini "$E2E_WORK/fallback.expected" "the named data file is made in the current folder"
  [ ! -e "$E2E_WORK/other.exit" ] && e2e_pass "the copy with a data file keeps running" ||
    e2e_fail "the copy with a data file ended with [$(cat "$E2E_WORK/other.exit")]"
}

test_initial_menu() {
  new_folder initial
  cp "$ORG_TEXT" org_text.ini
  start_tolvane initial
  wait_tv2_windows 1 || { e2e_fail "no main window with only org_text.ini"; return; }
  e2e_expect_bytes tv2_text.ini org_text.ini "with only org_text.ini its bytes become tv2_text.ini"
  e2e_expect_bytes org_text.ini "$ORG_TEXT" "org_text.ini is left as it was"
}

# A file that does not start with the header is not ours: it is kept under
# another name before the menu fallen back to is written.
test_rejected_file() {
  new_folder rejected
  printf 'not a menu\r\n0\tメニュー\r\n' > tv2_text.ini
  cp tv2_text.ini "$E2E_WORK/rejected.original"
  start_tolvane rejected
  wait_tv2_windows 1 || { e2e_fail "no main window with a rejected data file"; return; }
  e2e_expect_bytes tv2_text.ini.rejected "$E2E_WORK/rejected.original" \
    "a data file that is not a menu is kept as tv2_text.ini.rejected"
  e2e_expect_bytes tv2_text.ini "$E2E_WORK/fallback.expected" "and the fallback menu is written in its place"
}

# The titles of the visible dialogs and message boxes, in UTF-8, sorted, one line.
dialog_titles() { e2e_winlist --class '#32770' --visible | cut -f9 | iconv -f CP932 -t UTF-8 | sort | tr '\n' ' '; }

# Started unquoted from a folder named in Japanese, as Explorer starts a program
# whose path has no blank: its own path is no data-file argument, so it writes
# tv2_text.ini beside itself, reports nothing and stays the only copy.
test_japanese_folder() {
  local boxes
  new_folder 日本語フォルダ
  e2e_start "$DESKTOP" tolvane.exe
  wait_tv2_windows 1 ||
    { e2e_fail "no main window started from 日本語フォルダ (dialogs: [$(dialog_titles)])"; return; }
  e2e_expect_bytes tv2_text.ini "$E2E_WORK/fallback.expected" \
    "started unquoted from 日本語フォルダ, it writes its own tv2_text.ini"
  # A second start brings the first copy's editor forward, its only window.
  e2e_start "$DESKTOP" tolvane.exe
  e2e_wait_until '[ -n "$(dialog_titles)" ]' || { e2e_fail "a second start from 日本語フォルダ showed nothing"; return; }
  sleep 1  # a start-up message would come with the editor
  boxes=$(dialog_titles)
  [ "$(tv2_windows | grep -c .)" = 1 ] && [ "$boxes" = "Tolvane (設定) " ] &&
    e2e_pass "a second start from 日本語フォルダ opens the first copy's editor and ends" ||
    e2e_fail "after a second start: main windows [$(tv2_windows)], dialogs [$boxes]"
}

test_empty_folder
test_tray_icon
test_single_instance
stop_all
test_initial_menu
stop_all
test_rejected_file
stop_all
test_japanese_folder
e2e_finish
