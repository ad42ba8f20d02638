#!/usr/bin/env bash
# The editor beside the running program: the ways it opens (a second start,
# the tray icon, a "設定" item, Shift+click) and what each selects; a phrase
# made in the editor inserted into Notepad right after OK; a shortcut key typed
# into the key field, which works only once saved while the field holds every
# key back, the editor's own ones too; an item's key, which does nothing
# during a rename in place; the running menu, which runs what was saved while
# the editor holds changes; and quitting with unsaved changes,
# which asks through the editor; OK on an emptied menu.
# Screenshots of the editor on the starter menu, a tooltip and the about box
# land in WORK_PARENT/../screenshots.
# Usage: editor_session_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE ORG_TEXT_INI
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
ORG_TEXT=$(realpath "${4:?org_text.ini}")
e2e_init editor-session "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)
DESKTOP=session

# Root: Ctrl+Alt+M (a key the key field can show; it keeps Space to itself).
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1613	0	0
1	挨拶(&A)	おはよう	0	0	0		0
5	設定(&S)		0	0	0		0
10	終了(&X)		0	0	0		0
"
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
editor_closed() { e2e_wait_until '! ctl window > /dev/null 2>&1' 5; }
editor_count() { e2e_winlist --class '#32770' --visible | grep -c "$(printf 'Tolvane (設定)' | iconv -f UTF-8 -t CP932)"; }

# Notepad sits left of where the editor opens: clicking there gives it the focus.
reset_notepad() {
  : > empty.txt
  e2e_set_notepad_text empty.txt
  e2e_click 100 420
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
}

# focus_tree: a click on the tree's blank part below its entries gives it the
# focus. A click on the selected entry would not do: under Wine it starts a
# rename half a second later, whether the tree had the focus or not.
focus_tree() {
  local l t r b
  read -r l t r b <<< "$(ctl rect 1003)"
  e2e_click $((l + 10)) $((b - 10))
  e2e_wait_until '[ "$(ctl focus)" = 1003 ] && [ "$(e2e_focus_class)" = SysTreeView32 ]' 5 ||
    e2e_stop_test "the tree did not take the focus: $(e2e_focusinfo)"
}

# editor_in_front: the editor brought forward by a second start, with the
# focus in its tree, before a key meant for it. A click would not do: Notepad
# in front covers the editor's tree, and would get the click and then the key.
editor_in_front() {
  e2e_start "$DESKTOP" tolvane.exe
  e2e_wait_until '[ "$(e2e_foreground_hwnd)" = "$(ctl window | cut -f1)" ] && [ "$(e2e_focus_class)" = SysTreeView32 ]' ||
    e2e_stop_test "the editor did not come forward with its tree focused: $(e2e_focusinfo)"
}

# The root key in Notepad, then a mnemonic in the menu it opens.
menu_pick() {
  e2e_key ctrl+alt+m
  e2e_wait_until 'e2e_menu_rect > /dev/null' 10 || { e2e_fail "the root key opened no menu"; return 1; }
  e2e_key "$1"
}

test_opening() {
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null && [ "$(ctl selected)" = 0 ] &&
    e2e_pass "a second start opens the editor with \"メニュー\" selected" || e2e_fail "no editor after a second start"
  ctl select 1 > /dev/null
  e2e_start "$DESKTOP" tolvane.exe
  sleep 1
  [ "$(ctl selected)" = 1 ] && [ "$(editor_count)" = 1 ] &&
    e2e_pass "opening it again only brings it forward" || e2e_fail "selected $(ctl selected), $(editor_count) editors"
  ctl click 2 > /dev/null && editor_closed

  local x y
  read -r x y <<< "$(e2e_tray_point)"
  e2e_move "$x" "$y"
  xdotool click --repeat 2 --delay 80 1
  ctl wait-window > /dev/null && [ "$(ctl selected)" = 0 ] &&
    e2e_pass "a double click on the tray icon opens the editor" || e2e_fail "no editor after the tray double click"
  ctl click 2 > /dev/null && editor_closed

  reset_notepad
  menu_pick s
  ctl wait-window > /dev/null && [ "$(ctl selected)" = 2 ] &&
    e2e_pass "a \"設定\" item opens the editor at itself" || e2e_fail "after the 設定 item: selected $(ctl selected)"
  ctl click 2 > /dev/null && editor_closed

  reset_notepad
  e2e_key ctrl+alt+m
  e2e_wait_until 'menu=$(e2e_menu_rect)' 10 || e2e_fail "no menu for the Shift+click"
  local l t
  read -r l t _ _ <<< "$menu"
  xdotool keydown shift
  e2e_click $((l + 40)) $((t + 10))
  xdotool keyup shift
  ctl wait-window > /dev/null && [ "$(ctl selected)" = 1 ] &&
    e2e_pass "Shift+click on a phrase opens the editor at it" || e2e_fail "after Shift+click: selected $(ctl selected)"
  e2e_notepad_text got.txt
  [ ! -s got.txt ] && e2e_pass "Shift+click inserts nothing" || e2e_fail "Shift+click inserted text"
}

test_new_phrase_inserted() {
  e2e_sjis 'ソ表(&P)' label.txt
  e2e_sjis 'ソ表\パス' content.txt
  ctl select 0 click 1018 settext 1001 "$(e2e_winpath label.txt)" combo 1013 1 \
    settext 1000 "$(e2e_winpath content.txt)" click 1019 > /dev/null
  editor_closed && e2e_pass "OK closes the editor" || e2e_fail "the editor is still open after OK"
  reset_notepad
  menu_pick p
  e2e_expect_notepad 'ソ表\パス' "a phrase made in the editor is inserted by its mnemonic right after OK (trail bytes 0x5C)"
}

test_shortcut_field() {
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null
  ctl select 2 > /dev/null  # 挨拶(&A), after the new phrase
  e2e_click_in_rect "$(ctl rect 1012)"
  e2e_wait_until '[ "$(ctl focus)" = 1012 ]' 5 || e2e_stop_test "the key field did not take the focus: $(e2e_focusinfo)"
  e2e_key ctrl+alt+m
  sleep 1
  ! e2e_menu_rect > /dev/null && [ "$(ctl hotkey 1012)" = 1613 ] &&
    e2e_pass "the menu's key reaches the field instead of opening the menu" ||
    e2e_fail "field $(ctl hotkey 1012), menu $(e2e_menu_rect)"
  e2e_key Escape  # a menu the key opened after all would take the keys below
  e2e_wait_no_window '#32768' 5
  # The editor's own keys too: none of them saves, adds an item or opens the
  # find dialog while the field has the focus.
  cp tv2_text.ini before-keys.ini
  local key value seen='' entries
  entries=$(ctl tree | wc -l)
  for key in ctrl+s:595 ctrl+n:590 ctrl+f:582 F3:114; do
    e2e_key "${key%:*}"
    value=${key#*:}
    e2e_wait_until '[ "$(ctl hotkey 1012)" = "$value" ]' 3
    seen+="$(ctl hotkey 1012) "
  done
  [ "$seen" = "595 590 582 114 " ] && cmp -s tv2_text.ini before-keys.ini && [ "$(ctl tree | wc -l)" = "$entries" ] &&
    e2e_pass "Ctrl+S, Ctrl+N, Ctrl+F and F3 go into the field, not to the editor" ||
    e2e_fail "the field showed [$seen]; entries $(ctl tree | wc -l), before $entries"
  e2e_expect_only_dialog "Tolvane (設定)" "Ctrl+S, Ctrl+N, Ctrl+F and F3 in the key field"
  e2e_key ctrl+alt+j
  e2e_wait_until '[ "$(ctl hotkey 1012)" = 1610 ]' 5 && e2e_pass "the field takes Ctrl+Alt+J" ||
    e2e_fail "field shows $(ctl hotkey 1012)"
  focus_tree  # the focus leaves the field: the keys are registered again
  reset_notepad
  e2e_key ctrl+alt+j
  sleep 1.5
  e2e_notepad_text got.txt
  [ ! -s got.txt ] && e2e_pass "a typed key does nothing before it is saved" || e2e_fail "the key worked before 更新"
  editor_in_front
  e2e_key ctrl+s
  e2e_wait_until 'grep -q "	1610	" tv2_text.ini' 5
  e2e_expect_only_dialog "Tolvane (設定)" "Ctrl+S in the editor"
  grep -q "	1610	" tv2_text.ini && e2e_pass "Ctrl+S in the editor saves" ||
    e2e_fail "the key is not in the data file after Ctrl+S"
  reset_notepad
  e2e_key ctrl+alt+j
  e2e_expect_notepad 'おはよう' "after 更新 the key inserts its phrase"
}

# The running menu beside unsaved edits: its mnemonics and keys run what was
# saved (a changed phrase, a deleted one) until 更新, then what 更新 saved, and
# closing without saving leaves that.
test_running_menu_while_editing() {
  ctl select 2 settext 1000 "$(e2e_text_file evening.txt 'こんばんは')" select 1 click 1006 > /dev/null
  reset_notepad
  menu_pick a
  e2e_expect_notepad 'おはよう' "a phrase changed in the editor but not saved inserts as saved"
  reset_notepad
  menu_pick p
  e2e_expect_notepad 'ソ表\パス' "a phrase deleted in the editor but not saved still works from the menu"
  ctl click 1014 > /dev/null
  e2e_wait_until 'grep -q "こんばんは" <(iconv -f CP932 -t UTF-8 tv2_text.ini)' 5 || e2e_fail "更新 did not save the phrase"
  reset_notepad
  menu_pick a
  e2e_expect_notepad 'こんばんは' "after 更新 the menu inserts the saved phrase"
  ctl select 1 settext 1000 "$(e2e_text_file later.txt 'またね')" > /dev/null
  reset_notepad
  e2e_key ctrl+alt+j
  e2e_expect_notepad 'こんばんは' "a change after 更新 waits for the next save: the key inserts what 更新 saved"
  ctl click 2 > /dev/null
  ctl answer 7 > /dev/null
  editor_closed || e2e_fail "the editor stayed open after No"
  reset_notepad
  menu_pick a
  e2e_expect_notepad 'こんばんは' "closing without saving keeps the saved menu"
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null || e2e_fail "no editor after the check of the running menu"
}

# An item's key pressed while an entry is renamed in place does nothing there:
# the label and the saved file hold what was typed, with no phrase pasted in;
# once the rename ends the key works again.
test_key_during_rename() {
  editor_in_front
  ctl select 1 > /dev/null  # 挨拶 (ソ表 is gone since 更新), whose key is Ctrl+Alt+J
  e2e_key F2
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' 5 || e2e_fail "F2 opened no label edit: $(e2e_focusinfo)"
  e2e_type Typed
  e2e_key ctrl+alt+j
  sleep 1.5  # time for a paste the key would have started
  e2e_key Return
  e2e_wait_until '[ "$(ctl focus)" = 1003 ] && [ "$(e2e_focus_class)" != Edit ]' 5
  [ "$(e2e_editor_label 1)" = Typed ] && [ "$(ctl gettext 1001)" = Typed ] &&
    e2e_pass "an item's key during a rename leaves the label as typed" ||
    e2e_fail "after the key in the rename: label [$(e2e_editor_label 1)], field [$(ctl gettext 1001 | iconv -f CP932 -t UTF-8)]"
  ctl click 1014 > /dev/null
  e2e_wait_until 'grep -q "	Typed	" tv2_text.ini' 5 && e2e_pass "更新 saves the typed name, nothing pasted" ||
    e2e_fail "the data file holds [$(grep Typed tv2_text.ini | iconv -f CP932 -t UTF-8)]"
  reset_notepad
  e2e_key ctrl+alt+j
  e2e_expect_notepad 'こんばんは' "after the rename the key inserts its phrase again"
}

prompt_text() { ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8; }
quit_done() { e2e_wait_until '! e2e_running tolvane.exe' 10; }

# reopen_with_edit TEXT   starts the program again, opens its editor and gives
# 挨拶 the display text TEXT, unsaved
reopen_with_edit() {
  e2e_start_tolvane "$DESKTOP"
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null || { e2e_fail "no editor after a restart"; return 1; }
  ctl select 2 settext 1001 "$(e2e_text_file "$1.txt" "$1")" > /dev/null
}

# logoff_answered ANSWER   WM_QUERYENDSESSION to the program, the save prompt
# answered with button ANSWER; prints the program's reply to the session's end
logoff_answered() {
  ctl --class TV2 endsession > endsession.txt &
  local asking=$!
  ctl answer "$1" > /dev/null
  wait "$asking"
  cat endsession.txt
}

# Quitting with unsaved changes asks through the editor, however the quit
# comes: Cancel keeps the program and the editor, No discards and quits, Yes
# saves and quits; a logoff is refused by Cancel only.
test_quit_with_changes() {
  cp tv2_text.ini before-quit.ini
  ctl select 2 settext 1001 "$(e2e_text_file QuitNo.txt QuitNo)" > /dev/null
  reset_notepad
  menu_pick x
  [ "$(prompt_text)" = "変更されています．設定を保存しますか？" ] &&
    e2e_pass "quitting with unsaved changes asks through the editor" || e2e_fail "no prompt on exit"
  ctl answer 2 > /dev/null
  sleep 1
  e2e_running tolvane.exe && ctl window > /dev/null && e2e_pass "Cancel keeps the program and the editor running" ||
    e2e_fail "the program or the editor ended after Cancel"
  [ "$(logoff_answered 2)" = 0 ] && e2e_running tolvane.exe && ctl window > /dev/null &&
    e2e_pass "a logoff answered Cancel is refused, the program and the editor stay" ||
    e2e_fail "logoff with Cancel: reply [$(cat endsession.txt)], the program or the editor ended"
  # A second close (the tray's exit, say) while the question is open waits for its answer.
  ctl --class TV2 close > /dev/null
  ctl --class TV2 close > /dev/null
  ctl answer 2 > /dev/null
  sleep 1
  ctl --class TV2 window > /dev/null && ctl window > /dev/null &&
    e2e_pass "a second close while the question is open changes nothing: Cancel keeps both" ||
    e2e_fail "after two closes and Cancel the main window or the editor is gone"
  ctl --class TV2 close > /dev/null
  ctl answer 7 > /dev/null
  quit_done && e2e_pass "WM_CLOSE answered No quits" || e2e_fail "the program still runs after No"
  e2e_expect_bytes tv2_text.ini before-quit.ini "No leaves the data file as it was"

  reopen_with_edit QuitYes
  ctl post 40005 > /dev/null
  ctl answer 6 > /dev/null
  quit_done && grep -q '	QuitYes	' tv2_text.ini && e2e_pass "プログラムを終了 answered Yes saves and quits" ||
    e2e_fail "after 40005 and Yes: running $(e2e_running tolvane.exe && echo yes), saved $(grep -c QuitYes tv2_text.ini)"

  reopen_with_edit LogoffYes
  [ "$(logoff_answered 6)" != 0 ] && quit_done && grep -q '	LogoffYes	' tv2_text.ini &&
    e2e_pass "a logoff answered Yes saves, lets the session end and quits" ||
    e2e_fail "logoff with Yes: reply [$(cat endsession.txt)], saved $(grep -c LogoffYes tv2_text.ini)"
}

# OK reads the running menu back from the saved file, but an emptied menu stays
# empty: an empty data file would be read as the initial menu.
test_ok_on_emptied_menu() {
  cp "$ORG_TEXT" org_text.ini
  e2e_start_tolvane "$DESKTOP"
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null || { e2e_fail "no editor for emptying the menu"; return 1; }
  local left=20
  while [ "$(ctl tree | wc -l)" -gt 1 ] && ((left-- > 0)); do ctl select 1 click 1006 > /dev/null; done
  ctl click 1019 > /dev/null && editor_closed && sleep 1
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null && [ "$(ctl tree | wc -l)" = 1 ] && [ "$(grep -c . tv2_text.ini)" = 1 ] &&
    e2e_pass "OK on an emptied menu leaves the running menu and the data file empty" ||
    e2e_fail "after OK on an emptied menu: $(ctl tree | wc -l) entries, $(grep -c . tv2_text.ini) lines in the file"
  ctl click 2 > /dev/null
  editor_closed
  rm -f org_text.ini
}

# The starter menu, opened for editing beside the running copy.
test_screenshots() {
  cp "$ORG_TEXT" starter.ini
  e2e_start "$DESKTOP" tolvane.exe starter.ini
  ctl wait-window > /dev/null || { e2e_fail "no editor for starter.ini"; return 1; }
  e2e_park_pointer
  ctl select 1/7 > /dev/null
  e2e_screenshot "$SHOTS/editor-phrase.png"
  ctl select 5 > /dev/null
  e2e_screenshot "$SHOTS/editor-program.png"
  ctl select 0 > /dev/null
  e2e_screenshot "$SHOTS/editor-root.png"
  local l t r b
  read -r l t r b <<< "$(ctl rect 1009)"
  e2e_move $(((l + r) / 2)) $(((t + b) / 2))
  e2e_move $(((l + r) / 2 + 1)) $(((t + b) / 2 + 1))
  if e2e_wait_until 'e2e_winlist --class tooltips_class32 --visible | grep -q .' 5; then
    sleep 0.3
    e2e_screenshot "$SHOTS/editor-tooltip.png"
    e2e_pass "a tooltip shows over a tool button"
  else
    e2e_fail "no tooltip over the copy button"
  fi
  e2e_park_pointer
  e2e_editor_menu_command 0 o v
  if ctl --title 'バージョン情報 Tolvane' wait-window > /dev/null; then
    e2e_screenshot "$SHOTS/editor-about.png"
    ctl --title 'バージョン情報 Tolvane' gettext 1000 | grep -q . && e2e_pass "the about box shows its text" ||
      e2e_fail "the about box's field is empty"
    ctl --title 'バージョン情報 Tolvane' click 1 > /dev/null
  else
    e2e_fail "その他 > バージョン情報 opened no about box"
  fi
  ctl click 2 > /dev/null
  editor_closed
  e2e_pass "screenshots in $SHOTS"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
e2e_start_tolvane "$DESKTOP"
test_opening
test_new_phrase_inserted
test_shortcut_field
test_running_menu_while_editing
test_key_during_rename
test_quit_with_changes
test_ok_on_emptied_menu
test_screenshots
e2e_finish
