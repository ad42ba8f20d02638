#!/usr/bin/env bash
# The menu is never lost when the data file is read again: a change made while
# another program holds the file (a sync client, a virus scanner) is read once
# the file is let go, and the editor asks before saving over it; キャンセル in
# the editor over a damaged file keeps the running menu and writes it back,
# never the initial menu.
# Usage: menu_reload_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init menu-reload "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=menureload
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }

# menu_with TEXT: a menu whose one phrase, on Ctrl+Alt+7, inserts TEXT.
menu_with() { e2e_write_menu "$2" "${E2E_MENU_HEADER}1613	0	0
1	句(&P)	$1	1591	0	0		0
"; }

# The initial menu differs from every data file here: it must never come back.
menu_with initial org_text.ini
menu_with one tv2_text.ini

hold_data_file() {
  : > hold.out
  e2e_helper filehold "$(e2e_winpath "$E2E_WORK/tv2_text.ini")" > hold.out 2>&1 &
  e2e_wait_until 'grep -q held hold.out' || e2e_fail "the data file could not be held: $(cat hold.out)"
}
release_data_file() { e2e_stop filehold.exe; }

key_inserts() {
  e2e_reset_notepad
  e2e_key ctrl+alt+7
  e2e_expect_notepad "$1" "$2"
}
close_editor() {
  ctl close > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 10 || e2e_fail "the editor stayed open"
}

# Written by a program outside Wine while a Wine program holds the file: the
# timed reads fail meanwhile, and the change is read once the file is free.
test_change_while_held() {
  hold_data_file
  menu_with two tv2_text.ini
  sleep 2
  release_data_file
  sleep 2  # the file is looked at twice a second
  key_inserts two "a change made while another program held the file is read once it is let go"

  hold_data_file
  menu_with three tv2_text.ini
  sleep 2
  ctl --class TV2 post 110 > /dev/null
  ctl wait-window > /dev/null || { e2e_fail "the editor did not open"; return; }
  release_data_file
  ctl post 1014 > /dev/null
  local box
  box=$(ctl msgbox | utf8) || { e2e_fail "更新 saved over the held change without asking"; return; }
  [[ "$box" == *"データファイルがほかのプログラムによって変更されています．"* ]] &&
    e2e_pass "and the editor asks before saving over it" || e2e_fail "message: [$box]"
  ctl answer 7 > /dev/null
  grep -q three tv2_text.ini && e2e_pass "いいえ keeps the other program's version" || e2e_fail "it was saved over"
  close_editor
  key_inserts three "closing the editor reads that version"
}

# キャンセル reads the file again; a damaged one is set aside, and the menu in
# use, not the initial menu, is what runs and what the file holds afterwards.
test_cancel_over_damaged_file() {
  cp tv2_text.ini running.ini
  ctl --class TV2 post 110 > /dev/null
  ctl wait-window > /dev/null || { e2e_fail "the editor did not open"; return; }
  printf 'not a menu\r\n' > tv2_text.ini
  ctl close > /dev/null
  local box
  box=$(ctl msgbox | utf8) || { e2e_fail "no message about the damaged file"; return; }
  [[ "$box" == *"いま使っているメニューをそのまま使います．" ]] &&
    e2e_pass "キャンセル over a damaged file says the running menu stays" || e2e_fail "message: [$box]"
  ctl answer 1 > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 10 || e2e_fail "the editor stayed open"
  e2e_expect_bytes tv2_text.ini running.ini "the running menu is written in its place, not the initial menu"
  [ "$(cat tv2_text.ini.rejected 2> /dev/null)" = $'not a menu\r' ] && e2e_pass "the damaged file is kept aside" ||
    e2e_fail "no tv2_text.ini.rejected"
  key_inserts three "and the running menu's key works on"

  # Held while the editor closes: nothing is read, nothing written, the menu stays.
  ctl --class TV2 post 110 > /dev/null
  ctl wait-window > /dev/null || { e2e_fail "the editor did not open"; return; }
  hold_data_file
  close_editor
  release_data_file
  e2e_expect_bytes tv2_text.ini running.ini "キャンセル while the file is held leaves it as it was"
  key_inserts three "and keeps the running menu"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || { e2e_fail "notepad did not open"; e2e_finish; }
e2e_start_tolvane "$DESKTOP"
key_inserts one "the data file's phrase inserts"
test_change_while_held
test_cancel_over_damaged_file
e2e_finish
