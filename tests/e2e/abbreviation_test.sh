#!/usr/bin/env bash
# Abbreviations typed in another program, as a user types them (xdotool): the
# abbreviation is taken back and its item's phrase inserted byte for byte; the
# fill-ins of the phrase (the caret mark, the clipboard's text, a value asked
# for in a dialog); nothing expands while paused from the tray, in an excluded
# program (however long the list), or in the editor's own fields; Ctrl+A in
# the 略語, content and fill-in fields; and the editor saves a data file with
# abbreviations byte for byte as it read it.
# Usage: abbreviation_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init abbreviation "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=abbrev

# ソ and 表 end in the byte 0x5C. The ninth column is the abbreviation.
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1568	0	0
1	署名	ソ表示です	0	0	0		0	;sg
1	カーソル	前%%|後	0	0	0		0	;cu
1	クリップ	[%%c]	0	0	0		0	;cl
1	宛名	%%?お名前%%様	0	0	0		0	;nm
"
cp tv2_text.ini menu.original
cp "$TOLVANE_EXE" .

# clipboard_holds_text UTF8_TEXT: the clipboard's CF_TEXT is exactly that
clipboard_holds_text() {
  e2e_sjis "$1" clip.expected && e2e_clipboard --get clip.got 2>/dev/null && cmp -s clip.got clip.expected
}

# typed_stays TEXT DESCRIPTION: TEXT typed into an empty Notepad stays as typed
typed_stays() {
  e2e_reset_notepad
  e2e_type "$1"
  sleep 1.5  # an expansion would have taken the text back by now
  e2e_expect_notepad "$1" "$2"
}

test_expansions() {
  e2e_reset_notepad
  e2e_type 'a ;sg'
  e2e_expect_notepad 'a ソ表示です' '"a ;sg" becomes "a " and the phrase, trail bytes 0x5C included'
  e2e_reset_notepad
  e2e_type ';cu'
  e2e_expect_notepad '前後' "the caret mark leaves no trace"
  e2e_type 'X'
  e2e_expect_notepad '前X後' "what is typed next lands at the caret mark"
  e2e_sjis 'kurippu' user.txt && e2e_clipboard --set user.txt
  e2e_reset_notepad
  e2e_type ';cl'
  e2e_expect_notepad '[kurippu]' "%%c gives the clipboard's text"
  e2e_wait_until 'clipboard_holds_text kurippu' 10 && e2e_pass "the clipboard still holds kurippu afterwards" ||
    e2e_fail "after the insertion the clipboard holds [$(e2e_show clip.got)]"
}

test_asked_value() {
  e2e_sjis '山田' name.txt && e2e_clipboard --set name.txt
  e2e_reset_notepad
  e2e_type ';nm'
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ] && [ "$(e2e_foreground_class)" = "#32770" ]' ||
    { e2e_fail "no dialog asks for お名前: $(e2e_focusinfo)"; return; }
  e2e_pass "a dialog asks for お名前"
  e2e_type 'typo'
  e2e_key ctrl+a ctrl+v  # Ctrl+A selects the typo, so the paste replaces it
  e2e_key Return
  e2e_expect_notepad '山田様' "Ctrl+A selects what was typed in the dialog; the answer pasted over it fills %%?お名前%%"
  e2e_reset_notepad
  e2e_type ';nm'
  e2e_wait_until '[ "$(e2e_foreground_class)" = "#32770" ]' || { e2e_fail "no dialog the second time"; return; }
  e2e_key Escape
  e2e_wait_until '[ "$(e2e_foreground_class)" = Notepad ]' 5
  e2e_expect_notepad '' "Cancel inserts nothing, and the abbreviation stays taken back"
}

# The tray menu's last entry pauses expansion, and picked again resumes it.
toggle_pause() {
  local point
  # shellcheck disable=SC2034  # read by the wait condition
  point=$(e2e_tray_point) || { e2e_fail "no tray: $(e2e_winlist --visible)"; return 1; }
  # shellcheck disable=SC2086  # "X Y"
  e2e_wait_until 'e2e_click $point 3; e2e_wait_until "e2e_menu_rect > /dev/null" 2' 8 ||
    { e2e_fail "the tray icon opened no menu"; return 1; }
  e2e_key Up Return
  e2e_wait_no_window '#32768'
}

test_paused() {
  toggle_pause || return
  typed_stays 'b ;sg' "paused from the tray menu, nothing expands"
  toggle_pause || return
  e2e_reset_notepad
  e2e_type ';sg'
  e2e_expect_notepad 'ソ表示です' "picked again, the tray entry resumes expansion"
}

test_editor() {
  e2e_editorctl --class TV2 post 110 >/dev/null
  e2e_editorctl wait-window >/dev/null || { e2e_fail "the settings editor did not open"; return; }
  e2e_editorctl click 1014 >/dev/null
  e2e_expect_bytes tv2_text.ini menu.original "更新 writes the data file with abbreviations byte for byte"
  e2e_editorctl select 1 >/dev/null
  e2e_editorctl gettext 1030 > field.txt
  e2e_sjis $';sg\n' field.expected
  e2e_expect_bytes field.txt field.expected "the 略語 field shows the item's abbreviation"
  local rect l t r b
  rect=$(e2e_editorctl rect 1000) || { e2e_fail "no content field"; return; }
  read -r l t r b <<< "$rect"
  e2e_click $(((l + r) / 2)) $(((t + b) / 2))
  e2e_key ctrl+End
  e2e_type ' ;sg'
  sleep 1.5
  e2e_editorctl gettext 1000 > content.txt
  e2e_sjis $'ソ表示です ;sg\n' content.expected
  e2e_expect_bytes content.txt content.expected "the abbreviation typed into the editor's own field stays as typed"
  # Ctrl+A selects all in the 略語 field (one line) and in the content (many).
  e2e_key ctrl+a
  e2e_type 'Z'
  e2e_wait_until '[ "$(e2e_editorctl gettext 1000)" = Z ]' 5 &&
    e2e_pass "Ctrl+A in the content field selects it all, and typing replaces it" ||
    e2e_fail "the content holds [$(e2e_editorctl gettext 1000 | iconv -f CP932 -t UTF-8)] after Ctrl+A and Z"
  e2e_click_in_rect "$(e2e_editorctl rect 1030)"
  e2e_wait_until '[ "$(e2e_editorctl focus)" = 1030 ]' 5 || e2e_fail "the 略語 field did not take the focus"
  e2e_type 'xx'
  e2e_key ctrl+a
  e2e_type ';new'
  e2e_wait_until '[ "$(e2e_editorctl gettext 1030)" = ";new" ]' 5 &&
    e2e_pass "Ctrl+A in the 略語 field selects it all, and typing replaces it" ||
    e2e_fail "the 略語 field holds [$(e2e_editorctl gettext 1030)] after Ctrl+A and ;new"
  e2e_editorctl close answer 7 >/dev/null
  e2e_wait_until '! e2e_editorctl window >/dev/null 2>&1' || e2e_fail "the editor did not close"
}

test_excluded() {
  e2e_stop tolvane.exe || e2e_fail "tolvane did not stop"
  printf '[Abbrev]\r\nExclude=cmd.exe;NotePad.exe\r\n' > tv2.ini
  e2e_start_tolvane "$DESKTOP"
  typed_stays 'c ;sg' "in an excluded program (notepad.exe) nothing expands"
  e2e_stop tolvane.exe || e2e_fail "tolvane did not stop"
  printf '[Abbrev]\r\nExclude=%s\r\n' "$(e2e_long_program_list NotePad.exe)" > tv2.ini
  e2e_start_tolvane "$DESKTOP"
  typed_stays 'd ;sg' "nor when it is the last name of an Exclude list longer than 2,047 bytes"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
e2e_clipboard --empty
e2e_start_tolvane "$DESKTOP"
for test in ${ABBREVIATION_TESTS:-test_expansions test_asked_value test_paused test_editor test_excluded}; do
  "$test"
done
e2e_finish
