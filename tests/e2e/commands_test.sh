#!/usr/bin/env bash
# Items that do something other than insert text: a program item started by its
# shortcut key (parameters and working folder); program items that typing would
# start (a key that types a letter, a one-character abbreviation), held back and
# refused by the editor; a folder that opens when the pointer rests in its
# screen corner, and the exit item, after which tv2.ini holds the window and
# option keys.
# Usage: commands_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE ORG_TEXT_INI
# shellcheck disable=SC2015,SC2016,SC2034  # e2e_pass never fails; wait conditions, and the variables only they read, are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init commands "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=commands

# The program comes from a folder of its own: it falls back to its own folder
# for its files, and the build folder holds an org_text.ini.
mkdir tools program
cp "$E2E_HELPERS/argdump.exe" tools/
cp "$TOLVANE_EXE" program/

header=$E2E_MENU_HEADER
argdump=$(e2e_winpath tools/argdump.exe)
# Column 2 escapes backslashes but not the trail bytes 0x5C of ソ and 表:
# "表t" must stay those bytes, not become a TAB.
# Keys: Ctrl+Alt+X = 88 + 1536, Ctrl+Alt+Q = 81 + 1536. Corner 1 is the top left.
# キー has K alone (75) and the abbreviation z, シフト Shift+J (74 + 256), as a
# data file written by another program might give them.
menu="${header}0	0	0
2	引数を見る(&X)	${argdump//\\/\\\\}\\r\\n-a ソ表 表t	1624	0	0		0
2	キー(&K)	${argdump//\\/\\\\}\\r\\n-k	75	0	0		0	z
2	シフト(&J)	${argdump//\\/\\\\}\\r\\n-j	330	0	0		0
0	角(&C)		0	0	1		0
{
	1	角の子(&1)	角の子の表	0	0	0		0
}
10	終了(&Q)		1617	0	0		0
"
e2e_sjis "${menu//$'\n'/$'\r\n'}" tv2_text.ini

# start_tolvane NAME: runs tolvane.exe in the test's desktop, in the work
# folder, from a batch file that writes the exit code to NAME.exit when the
# program has ended (cmd waits for every program of a batch file).
start_tolvane() {
  printf '@echo off\r\n"%s"\r\necho %%errorlevel%%> "%s"\r\n' \
    "$(e2e_winpath program/tolvane.exe)" "$(e2e_winpath "$1.exit")" > "$1.bat"
  e2e_start "$DESKTOP" cmd /c "$(e2e_winpath "$1.bat")"
  e2e_wait_until 'e2e_winlist --class TV2 | grep -q .' || e2e_fail "tolvane did not start"
}

# wait_exit NAME DESCRIPTION: the program ended with 0 and left no window.
wait_exit() {
  e2e_wait_file "$1.exit" || { e2e_fail "$2: the program is still running"; return 1; }
  [ "$(tr -d ' \r\n' < "$1.exit")" = 0 ] && e2e_pass "$2: the program ends with exit code 0" ||
    e2e_fail "$2: exit code [$(cat "$1.exit")]"
  [ -z "$(e2e_winlist --class TV2)" ] && e2e_pass "$2: no TV2 window is left" ||
    e2e_fail "$2: windows left: $(e2e_winlist --class TV2)"
}

# ini_keys SECTION: "key=value" lines of one section of tv2.ini, in file order.
ini_keys() {
  tr -d '\r' < tv2.ini | awk -v section="[$1]" '
    /^\[/ { inside = ($0 == section); next }
    inside && /=/ { print }'
}

wait_menu() { e2e_wait_until 'menu=$(e2e_menu_rect)' "${1:-5}"; }
ctl() { e2e_editorctl "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }
# refused PATTERN DESCRIPTION: a message box whose text matches the glob is
# open; it is answered OK
refused() {
  local box
  box=$(ctl msgbox | utf8) || { e2e_fail "$2: no message"; return 1; }
  # shellcheck disable=SC2053  # the pattern is a glob
  [[ "$box" == $1 ]] && e2e_pass "$2" || e2e_fail "$2: the message says [$box]"
  ctl answer 1 > /dev/null
}

test_program_item() {
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
  e2e_key ctrl+alt+x
  e2e_wait_file tools/argdump.txt || { e2e_fail "ctrl+alt+x did not run argdump in the tools folder"; return; }
  e2e_pass "the program item's key runs the program"
  printf 'argc=4\nargv[1]=-a\nargv[2]=ソ表\nargv[3]=表t\ncwd=%s\n' "$(e2e_winpath tools)" > args.expected
  iconv -f CP932 -t UTF-8 tools/argdump.txt | grep -v -e '^cmdline=' -e '^argv\[0\]=' > args.txt
  cmp -s args.txt args.expected && e2e_pass "line 2 gives the parameters, the program's folder the working folder" ||
    e2e_fail "argdump recorded [$(cat args.txt)], expected [$(cat args.expected)]"
  [ ! -e argdump.txt ] && e2e_pass "nothing ran in the program's own working folder" ||
    e2e_fail "argdump.txt written in the work folder"
}

test_typed_letters_run_nothing() {
  rm -f tools/argdump.txt
  # Another program adds one with R alone: it comes in by the reload.
  printf '2\treload\t%s\\r\\n-r\t82\t0\t0\t\t0\r\n' "${argdump//\\/\\\\}" >> tv2_text.ini
  sleep 2
  e2e_reset_notepad
  e2e_type 'kJzr'
  sleep 1.5  # a registered key or an expansion would have started argdump by now
  e2e_expect_notepad 'kJzr' "K alone, Shift+J, R alone (read again) and the abbreviation z of program items type their letters"
  [ ! -e tools/argdump.txt ] && e2e_pass "and start no program" ||
    e2e_fail "a typed letter started argdump: $(cat tools/argdump.txt)"
}

test_editor_refuses_typed_triggers() {
  cp tv2_text.ini before-editor.ini
  ctl --class TV2 post 110 > /dev/null
  refused '*3 個（「キー(&K)」など）*働かないようにしています*' \
    "opening on such items, the editor says once that their keys and abbreviations do not work" || return
  ctl wait-window > /dev/null || { e2e_fail "the editor did not open"; return; }
  ctl select 1 > /dev/null
  e2e_click_in_rect "$(ctl rect 1012)"
  e2e_wait_until '[ "$(ctl focus)" = 1012 ]' 5 || e2e_fail "the key field did not take the focus"
  e2e_key l
  refused '*ショートカットキー「L」は，押すと文字が入力されるキーです．*Ctrl，Alt，Win*' \
    "L alone for a program item is refused, saying why"
  [ "$(ctl hotkey 1012)" = 1624 ] && e2e_pass "and the key field goes back to Ctrl+Alt+X" ||
    e2e_fail "the key field shows $(ctl hotkey 1012)"
  e2e_click_in_rect "$(ctl rect 1030)"
  e2e_wait_until '[ "$(ctl focus)" = 1030 ]' 5 || e2e_fail "the abbreviation field did not take the focus"
  e2e_type q
  e2e_key Tab
  refused '*略語「q」は1文字です．*2文字以上*' "a one-character abbreviation is refused as the field is left"
  [ -z "$(ctl gettext 1030)" ] && e2e_pass "and the abbreviation goes back to none" ||
    e2e_fail "the abbreviation field shows [$(ctl gettext 1030)]"
  # A phrase may have M alone; made a program with it, it may not.
  ctl select 4/1 > /dev/null
  e2e_click_in_rect "$(ctl rect 1012)"
  e2e_wait_until '[ "$(ctl focus)" = 1012 ]' 5 && e2e_key m
  e2e_wait_until '[ "$(ctl hotkey 1012)" = 77 ]' 5 && e2e_pass "a phrase takes M alone" ||
    e2e_fail "the key field shows $(ctl hotkey 1012)"
  ctl combo 1013 2 > /dev/null
  refused '*ショートカットキー「M」は，押すと文字が入力されるキーです．*' "the phrase with M alone is refused the program mode"
  [ "$(ctl combosel 1013)" = 1 ] && e2e_pass "and its mode stays" || e2e_fail "the mode list shows $(ctl combosel 1013)"
  ctl click 1014 > /dev/null
  refused '*「キー(&K)」はプログラムやURLを開く項目です．*ショートカットキー「K」*略語「z」は1文字です．*直すまで保存できません．' \
    "更新 names the item held back and saves nothing"
  [ "$(ctl selected)" = 2 ] && e2e_pass "the item is selected" || e2e_fail "selected: $(ctl selected)"
  e2e_expect_bytes tv2_text.ini before-editor.ini "the data file is left as it was"
  ctl close answer 7 > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 5 || e2e_fail "the editor stayed open"
}

test_screen_corner() {
  e2e_move 0 0
  wait_menu || { e2e_fail "resting at the top-left corner opened no menu"; return; }
  local l t
  read -r l t _ <<< "$menu"
  [ "$l" = 0 ] && [ "$t" = 0 ] && e2e_pass "the top-left corner opens its folder at the pointer ($menu)" ||
    e2e_fail "the corner's menu is at ($menu), not at (0,0)"
  # Left in the corner, the pointer would open the menu again once it closes.
  e2e_park_pointer
  e2e_key Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the corner menu" || e2e_fail "the corner menu stayed open"

  local width
  width=$(e2e_window_rect Shell_TrayWnd | cut -d' ' -f3)
  e2e_move $((width - 1)) 0
  # Corners are watched every 100 ms: two seconds without a menu is a refusal.
  wait_menu 2 && e2e_fail "the top-right corner, which has no item, opened a menu ($menu)" ||
    e2e_pass "a corner without an item opens nothing"
  e2e_park_pointer
  e2e_menu_rect > /dev/null && e2e_key Escape
}

# No tv2.ini before: the defaults are written, the ten [set] keys and the six
# window keys of [Clip] in their order.
test_exit_key() {
  e2e_key ctrl+alt+q
  wait_exit first "the exit item's key" || return
  printf '%s\n' left=0 top=0 right=0 bottom=0 sp=0 ShowMenuPosMode=0 ShowAutoPopup=1 iMaxViewSize=200 Maxed=0 \
    bUseOldDateTime=0 > set.expected
  printf '%s\n' left=0 top=0 right=0 bottom=0 sp=0 Maxed=0 > clip.expected
  ini_keys set > set.txt
  ini_keys Clip > clip.txt
  cmp -s set.txt set.expected && e2e_pass "tv2.ini [set] holds its ten keys in order with the defaults" ||
    e2e_fail "tv2.ini [set]: [$(paste -sd' ' set.txt)], expected [$(paste -sd' ' set.expected)]"
  cmp -s clip.txt clip.expected && e2e_pass "tv2.ini [Clip] holds its six window keys in order" ||
    e2e_fail "tv2.ini [Clip]: [$(paste -sd' ' clip.txt)], expected [$(paste -sd' ' clip.expected)]"
}

# An on/off key is on only at 1, so Maxed=2 is written back as 0; a placement
# mode read at start is written back unchanged, a splitter dragged left too, and
# a width beyond the widest the menu can use as that widest. This time the exit
# item is picked from the tray menu by its mnemonic.
test_settings_round_trip() {
  printf '[set]\r\nMaxed=2\r\nShowMenuPosMode=5\r\nsp=-60\r\niMaxViewSize=9000\r\n' > tv2.ini
  start_tolvane second
  local point
  point=$(e2e_tray_point)
  # The tray icon comes after the main window, so the click is repeated.
  # shellcheck disable=SC2086  # "X Y"
  e2e_wait_until 'e2e_click $point 3; wait_menu 2' || { e2e_fail "the tray icon opened no menu"; return; }
  e2e_key q
  wait_exit second "the exit item picked from the menu" || return
  local set
  set=$(ini_keys set | paste -sd' ')
  grep -qw 'Maxed=0' <<< "$set" && ! grep -q 'Maxed=2' <<< "$set" && e2e_pass "Maxed=2 is written back as Maxed=0" ||
    e2e_fail "[set] after Maxed=2: [$set]"
  grep -qw 'ShowMenuPosMode=5' <<< "$set" && e2e_pass "ShowMenuPosMode=5 survives a run" ||
    e2e_fail "[set] after ShowMenuPosMode=5: [$set]"
  grep -qw -- 'sp=-60' <<< "$set" && grep -qw 'iMaxViewSize=4000' <<< "$set" &&
    e2e_pass "sp=-60 survives a run; iMaxViewSize=9000 comes back as 4000" || e2e_fail "[set] after sp=-60: [$set]"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
start_tolvane first
test_program_item
test_typed_letters_run_nothing
test_screen_corner
test_exit_key
test_settings_round_trip
start_tolvane third  # the editor writes its place into tv2.ini, which the tests above read
test_editor_refuses_typed_triggers
e2e_finish
