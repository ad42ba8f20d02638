#!/usr/bin/env bash
# The menu at the caret (ShowMenuPosMode=1) opens where the target's caret is,
# in Notepad and in WordPad, after the caret has moved away from the start.
# Usage: caret_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init caret "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=caret

# The root's key opens at the pointer; a folder's key (Ctrl+Alt+G) follows ShowMenuPosMode.
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1568	0	0
0	フォルダ(&F)		1607	0	0		0
{
	1	定型(&P)	定型文です	0	0	0		0
}
"
printf '[set]\r\nShowMenuPosMode=1\r\n' > tv2.ini
cp "$TOLVANE_EXE" .

# caret_point: "X Y" of the foreground thread's caret on the screen
caret_point() { e2e_focusinfo | awk -F'\t' '$1 == "caret" && $2 != "-" { print $2, $3; found = 1 } END { exit !found }'; }

# typed_in_place TEXT: the focused control's text ends with TEXT, so the target
# has handled every key typed (xdotool returns once the keys are sent, and a
# loaded machine may take a while to process them)
typed_in_place() {
  local focus
  focus=$(e2e_focusinfo | awk -F'\t' '$1 == "focus" { print $2 }')
  [[ $(e2e_wintext --hwnd "$focus" --child - --get - 2>/dev/null) == *"$1" ]]
}

# menu_at_caret PROGRAM: types two lines into PROGRAM (in front, focused) and
# checks that the menu's top left corner is the caret's
menu_at_caret() {
  local program=$1 caret menu
  e2e_type 'abc'
  e2e_key Return
  e2e_type 'defgh'
  e2e_wait_until 'typed_in_place defgh' ||
    { e2e_fail "$program did not take the typed text: $(e2e_focusinfo | tr '\n\t' '| ')"; return; }
  e2e_wait_until 'caret=$(caret_point)' || { e2e_fail "$program shows no caret"; return; }
  e2e_key ctrl+alt+g
  e2e_wait_until 'menu=$(e2e_menu_rect)' || { e2e_fail "no menu opened over $program"; return; }
  read -r cx cy <<< "$caret"
  read -r left top _ <<< "$menu"
  [ $((left - cx)) -ge -2 ] && [ $((left - cx)) -le 2 ] && [ $((top - cy)) -ge -2 ] && [ $((top - cy)) -le 2 ] &&
    e2e_pass "over $program the menu opens at the caret ($caret)" ||
    e2e_fail "over $program the menu is at ($left $top), the caret at ($caret)"
  e2e_key Escape
  e2e_wait_until '! e2e_menu_rect > /dev/null'
}

e2e_start_tolvane "$DESKTOP"
e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
e2e_reset_notepad
menu_at_caret Notepad
e2e_stop notepad.exe
e2e_start "$DESKTOP" 'C:\Program Files\Windows NT\Accessories\wordpad.exe'
e2e_wait_until '[ "$(e2e_focus_class)" = RICHEDIT50W ] || [ "$(e2e_focus_class)" = RichEdit20W ] || [ "$(e2e_focus_class)" = RichEdit20A ]' 20 ||
  e2e_fail "wordpad's text has no focus: $(e2e_focusinfo)"
menu_at_caret WordPad
e2e_finish
