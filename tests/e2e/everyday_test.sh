#!/usr/bin/env bash
# Everyday conveniences, as a new user meets them: the hint balloon of a first
# start (and none at the next); starting with Windows, a shortcut in the
# Startup folder made and removed by the options dialog and by the tray menu's
# entry; programs whose copies stay out of the history; the data file read
# again when another program changes it, kept when it is no menu, and the
# editor asking before it saves over such a change; an enclose with nothing
# selected in a one-line field. The balloon's picture lands in
# WORK_PARENT/../screenshots.
# Usage: everyday_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init everyday "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)
DESKTOP=everyday
cp "$TOLVANE_EXE" .

# Root key Ctrl+Alt+M (1536 + 77); the phrase Ctrl+Alt+1, the enclose Ctrl+Alt+E.
# The folder has no data file and no tv2.ini: only this initial menu.
e2e_write_menu org_text.ini "${E2E_MENU_HEADER}1613	0	0
1	句(&P)	first	1585	0	0		0
13	囲む(&E)	[b]\\r\\n[/b]	1605	0	0		0
"

ctl() { e2e_editorctl "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }
expect() { [ "$1" = "$2" ] && e2e_pass "$3" || e2e_fail "$3: got [$1], expected [$2]"; }
balloon_shown() { e2e_winlist --class tooltips_class32 --visible 2> /dev/null | grep -q .; }
focus_notepad() {
  e2e_click 300 300
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
}
open_editor() {
  ctl --class TV2 post 110 > /dev/null
  ctl wait-window > /dev/null || e2e_fail "the editor did not open"
}

test_first_run_hint() {
  e2e_start_tolvane "$DESKTOP"
  e2e_wait_until balloon_shown 10 && e2e_pass "the first start shows a balloon at the tray icon" ||
    e2e_fail "no balloon at the first start: $(e2e_winlist | cut -f2 | sort -u | tr '\n' ' ')"
  sleep 1  # drawn
  e2e_screenshot "$SHOTS/first-run-balloon.png"
  ctl --class TV2 close > /dev/null
  e2e_wait_until '! e2e_running tolvane.exe' || e2e_fail "tolvane did not close"
  [ -e tv2.ini ] && e2e_pass "closing writes tv2.ini" || e2e_fail "no tv2.ini after closing"
  e2e_wait_until '! balloon_shown' 30 || e2e_fail "the balloon stayed after the program closed"
  e2e_start_tolvane "$DESKTOP"
  sleep 3
  balloon_shown && e2e_fail "a balloon at the second start" || e2e_pass "no balloon at the second start"
}

startup_link() { find "$WINEPREFIX/drive_c/users" -ipath '*/Startup/Tolvane.lnk' 2> /dev/null | head -1; }
options_checked() {
  ctl post 40025 > /dev/null
  ctl --title オプション wait-window > /dev/null || { e2e_fail "no options dialog"; return 1; }
  ctl --title オプション checked 1049
}

test_start_with_windows() {
  e2e_on_cleanup 'rm -f "$(startup_link)"'
  rm -f "$(startup_link)"
  open_editor
  expect "$(options_checked)" 0 "without a shortcut in the Startup folder the box is clear"
  ctl --title オプション check 1049 1 click 1 > /dev/null
  local link target folder
  e2e_wait_until '[ -n "$(startup_link)" ]' 5 && link=$(startup_link)
  [ -n "${link:-}" ] && e2e_pass "checking it puts Tolvane.lnk in the Startup folder" ||
    { e2e_fail "no shortcut in the Startup folder"; return; }
  IFS=$'\t' read -r target folder < <(e2e_helper mklink --read "$(e2e_winpath "$link")" | tr -d '\r')
  expect "${target,,}" "$(e2e_winpath "$E2E_WORK/tolvane.exe" | tr '[:upper:]' '[:lower:]')" \
    "the shortcut starts the running tolvane.exe"
  expect "${folder,,}" "$(e2e_winpath "$E2E_WORK" | tr '[:upper:]' '[:lower:]')" \
    "in the folder that keeps its files"
  expect "$(options_checked)" 1 "the box shows what the Startup folder holds"
  ctl --title オプション click 2 > /dev/null
  ctl close > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 5 || e2e_fail "the editor stayed open"

  # The tray menu's entry turns it off.
  local x y
  read -r x y <<< "$(e2e_tray_point)"
  e2e_click "$x" "$y" 3
  e2e_wait_until 'e2e_menu_rect > /dev/null' || { e2e_fail "no menu at the tray icon"; return; }
  e2e_key Up Up Return  # the last entry pauses abbreviations
  e2e_wait_until '[ -z "$(startup_link)" ]' 5 && e2e_pass "the tray menu's entry removes the shortcut" ||
    e2e_fail "the shortcut is still there: $(startup_link)"
  open_editor
  expect "$(options_checked)" 0 "and the box is clear again"
  ctl --title オプション click 2 > /dev/null
}

test_excluded_program() {
  ctl post 40004 > /dev/null
  ctl --title クリップボード履歴設定 wait-window > /dev/null || { e2e_fail "no history settings dialog"; return; }
  ctl --title クリップボード履歴設定 settext 1052 "$(e2e_text_file exclude.txt ' keepass.exe ;; NotePad.exe ')" click 1 \
    > /dev/null
  e2e_wait_until 'grep -q ExcludeApps tv2.ini' 5
  expect "$(tr -d '\r' < tv2.ini | grep '^ExcludeApps=')" "ExcludeApps=keepass.exe;NotePad.exe" \
    "記録しないプログラム is written in the user's order, blanks and empty names left out"
  ctl close > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 5 || e2e_fail "the editor stayed open"

  e2e_sjis 'from notepad' copy.txt
  e2e_set_notepad_text copy.txt
  focus_notepad
  e2e_wintext --select 0 end > /dev/null
  e2e_key ctrl+c
  e2e_wait_until '[ "$(e2e_clipboard --get - | tr -d "\r\n")" = "from notepad" ]' 5 ||
    e2e_fail "Notepad's copy did not reach the clipboard"
  # Changes are handled in order: once the next copy is recorded, Notepad's would be too.
  # The helper copies without an owner window, so it shows a window of its own in
  # front: with Notepad in front its copy would count as Notepad's.
  e2e_sjis 'from another program' other.txt
  e2e_clipboard --set other.txt --in-front
  e2e_wait_until 'grep -q "from another program" clips.dat 2> /dev/null' 10 &&
    e2e_pass "a copy by another program is recorded" || e2e_fail "clips.dat: [$(e2e_show clips.dat)]"
  grep -q 'from notepad' clips.dat && e2e_fail "Notepad's copy was recorded: [$(e2e_show clips.dat)]" ||
    e2e_pass "a copy made in Notepad, excluded, is not"
}

test_reload_on_change() {
  e2e_reset_notepad
  printf '1\t\x8d\xc4\x93\xc7\x8d\x9e\treloaded\t1591\t0\t0\t\t0\r\n' >> tv2_text.ini  # 再読込, Ctrl+Alt+7
  sleep 2
  e2e_key ctrl+alt+7
  e2e_expect_notepad reloaded "an item added to the data file by another program works 2 s later, by its own key"

  cp tv2_text.ini running.ini
  printf 'not a menu\r\n' > tv2_text.ini
  local box
  box=$(ctl msgbox | utf8) || { e2e_fail "no message about the file that is no menu"; return; }
  [[ "$box" == *"tv2_text.ini.rejected」という名前で残しました．"*"いま使っているメニューをそのまま使います．" ]] &&
    e2e_pass "a file that is no menu is set aside, and the message says the menu stays" || e2e_fail "message: [$box]"
  ctl answer 1 > /dev/null
  e2e_expect_bytes tv2_text.ini running.ini "the running menu is written in its place"
  e2e_reset_notepad
  e2e_key ctrl+alt+7
  e2e_expect_notepad reloaded "and the menu and keys run on as they were"

  open_editor
  printf '1\texternal\texternal\t0\t0\t0\t\t0\r\n' >> tv2_text.ini
  ctl post 1014 > /dev/null
  box=$(ctl msgbox | utf8) || { e2e_fail "no question before saving over a change"; return; }
  [[ "$box" == *"データファイルがほかのプログラムによって変更されています．"*"上書きして保存しますか？" ]] &&
    e2e_pass "saving over a change made while the editor is open asks first" || e2e_fail "message: [$box]"
  ctl answer 7 > /dev/null
  grep -q external tv2_text.ini && e2e_pass "いいえ leaves the file as the other program wrote it" ||
    e2e_fail "the change was saved over"
  ctl post 1014 > /dev/null
  ctl answer 6 > /dev/null || e2e_fail "no question at the second save"
  e2e_wait_until '! grep -q external tv2_text.ini' 5 && e2e_pass "はい saves the editor's menu over it" ||
    e2e_fail "the file still holds the other program's line"
  ctl close > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 5 || e2e_fail "the editor stayed open"
}

test_enclose_in_one_line_field() {
  e2e_reset_notepad
  e2e_key ctrl+f
  ctl --title 検索 wait-window > /dev/null || { e2e_fail "Notepad's find box did not open"; return; }
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "the find box has no focus: $(e2e_focusinfo)"
  e2e_key ctrl+alt+e
  e2e_wait_until '[ "$(ctl --title 検索 gettext 1152 | tr -d "\r\n")" = "[b][/b]" ]' 10 &&
    e2e_pass "an enclose with nothing selected puts both strings in a one-line field" ||
    e2e_fail "the find box holds [$(ctl --title 検索 gettext 1152)]"
  e2e_type x
  e2e_wait_until '[ "$(ctl --title 検索 gettext 1152 | tr -d "\r\n")" = "[b]x[/b]" ]' 5 &&
    e2e_pass "with the caret between them" || e2e_fail "after typing x: [$(ctl --title 検索 gettext 1152)]"
  e2e_key Escape
}

test_first_run_hint
e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || { e2e_fail "notepad did not open"; e2e_finish; }
test_start_with_windows
test_excluded_program
test_reload_on_change
test_enclose_in_one_line_field
e2e_finish
