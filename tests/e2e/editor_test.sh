#!/usr/bin/env bash
# The settings editor as a user works in it: opened for a data file named on
# the command line, new items at every kind of selection, copies, deletion,
# every move rule, the four sorts, drag and drop, renaming, a new folder, the
# note a save leaves in the caption, mode changes with
# their default texts, corners, the save prompt, the window's minimum size and
# the splitter, the data file's bytes after saving, the keyboard's way through
# the controls, the maximised window inside the work area, and closed folders
# whose entries are made only when they open.
# Usage: editor_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init editor "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=editor

# Root: Ctrl+Alt+Space. "F-open" is shown expanded (extKey 16), "F-shut" not.
menu="${E2E_MENU_HEADER}1568	0	0
0	A	a	0	0	0		0
0	F-open		0	16	0		0
{
	0	F1		0	0	0		0
	0	F2		0	0	0		0
}
0	F-shut		0	0	0		0
{
	0	S1		0	0	0		0
}
0	C		0	0	0		0
0	Sort		0	16	0		0
{
	0	b		0	0	0		0
	0	a		0	0	0		0
	0	B		0	0	0		0
	0	z		0	0	0		0
	{
		0	zz		0	0	0		0
	}
	0	z		0	0	0		0
	3	-横線-		0	0	0		0
}
2	プログラム	C:\\\\Windows\\\\notepad.exe\\r\\n-n	0	0	0		0
8	%Y		0	0	0		0
"
e2e_write_menu menu.ini "$menu"
cp menu.ini menu.original
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
path_of() { e2e_editor_path "$1"; }
# A second start opens the running copy's editor.
open_editor() { e2e_start "$DESKTOP" tolvane.exe; ctl wait-window > /dev/null; }
editor_closed() { e2e_wait_until '! ctl window > /dev/null 2>&1' 5; }

# check_path LABEL EXPECTED_PATH DESCRIPTION
check_path() {
  local got
  got=$(path_of "$1")
  [ "$got" = "$2" ] && e2e_pass "$3" || e2e_fail "$3: \"$1\" is at [$got], expected [$2]; tree: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
}

# The labels of a folder's direct children, space-separated.
children_of() {
  e2e_editor_tree | awk -F'\t' -v parent="$1/" 'index($1, parent) == 1 && substr($1, length(parent) + 1) !~ /\// { printf "%s ", $5 }'
}

# select_label LABEL   selects the entry; fails the test when it is missing
select_label() {
  local path
  path=$(path_of "$1") || { e2e_fail "no entry \"$1\""; return 1; }
  ctl select "$path" > /dev/null
}

test_open_at_start() {
  e2e_start_tolvane "$DESKTOP" menu.ini
  ctl wait-window > /dev/null || { e2e_fail "a data-file argument did not open the editor"; return 1; }
  e2e_pass "a data-file argument opens the editor at start"
  [ "$(ctl selected)" = 0 ] && e2e_pass "\"メニュー\" is selected" || e2e_fail "selected: $(ctl selected)"
  [ "$(ctl gettext 1001 | iconv -f CP932 -t UTF-8)" = "メニュー : menu.ini" ] &&
    e2e_pass "the root's display text names the data file" || e2e_fail "display text: $(ctl gettext 1001 | iconv -f CP932 -t UTF-8)"
  ctl gettext 1000 | iconv -f CP932 -t UTF-8 | head -1 | grep -q '^※この項目は，ショートカットキーとマウスの位置のみ設定できます' &&
    e2e_pass "the root shows the help text" || e2e_fail "no help text for the root"
  ctl window > window.txt
  read -r _ _ _ TEMPLATE_LEFT TEMPLATE_TOP TEMPLATE_RIGHT TEMPLATE_BOTTOM < window.txt
}

test_new_items() {
  ctl select 0 click 1018 > /dev/null
  check_path New 1 "New with \"メニュー\" selected is the first top-level entry"
  [ "$(ctl focus)" = 1001 ] && e2e_pass "the display-text field takes the focus" || e2e_fail "focus on $(ctl focus)"
  ctl click 1006 > /dev/null
  select_label F-open && ctl click 1018 > /dev/null
  check_path New 2/1 "New in an expanded folder is its first child"
  ctl click 1006 > /dev/null
  select_label F-shut && ctl click 1018 > /dev/null
  check_path New 4 "New on a collapsed folder comes right after it"
  ctl click 1006 > /dev/null
  select_label A && ctl click 1018 > /dev/null
  check_path New 2 "New on a plain item comes right after it"
  e2e_click_in_rect "$(ctl itemrect 2)" 3
  e2e_wait_until 'e2e_menu_rect > /dev/null' 5 && e2e_key d
  e2e_wait_until '[ -z "$(path_of New)" ]' 5 && e2e_pass "the tree's right-click menu deletes the entry" ||
    e2e_fail "the context menu did not delete New"

  select_label A && ctl click 1009 > /dev/null
  [ "$(e2e_editor_tree | awk -F'\t' '$1 == "1" || $1 == "2" { printf "%s ", $5 }')" = "A A " ] &&
    [ "$(ctl gettext 1000)" = a ] && e2e_pass "add a copy puts the pane's item after the selection" ||
    e2e_fail "after a copy: $(e2e_editor_tree | cut -f1,5 | head -4 | tr '\t\n' ': ')"
  ctl click 1006 > /dev/null
  select_label F-shut && ctl click 1006 > /dev/null
  [ -z "$(path_of S1)" ] && [ -z "$(path_of F-shut)" ] && e2e_pass "delete takes the folder with its children" ||
    e2e_fail "F-shut or S1 is still there"
}

test_moves() {
  select_label A && ctl click 1004 > /dev/null
  check_path A 1 "move up on the first top-level entry does nothing"
  ctl click 1005 > /dev/null
  check_path A 1/1 "move down onto an expanded folder goes in as its first child"
  ctl click 1004 > /dev/null
  check_path A 1 "move up on a folder's first entry puts it before the folder"
  select_label F2 && ctl click 1005 > /dev/null
  check_path F2 3 "move down on a folder's last entry puts it after the folder"
  ctl click 1004 > /dev/null
  check_path F2 2/2 "move up below an expanded folder puts it at the folder's end"
  select_label F1 && ctl click 1007 > /dev/null
  check_path F1 2/1 "move right on a folder's first entry does nothing"
  select_label A && ctl click 1008 > /dev/null
  check_path A 1 "move left on a top-level entry does nothing"
  select_label C && ctl click 1007 > /dev/null
  check_path C 2/3 "move right makes the entry the last child of the one above"
  ctl click 1008 > /dev/null
  check_path C 3 "move left puts the entry right after its folder"
  ctl click 1004 > /dev/null  # F-open is expanded: C goes to its end
  ctl click 1005 > /dev/null
  check_path C 3 "moving down again takes it out of the folder"
}

test_sorts() {
  local sort_path
  sort_path=$(path_of Sort)
  select_label Sort
  ctl command 40037 > /dev/null
  [ "$(children_of "$sort_path")" = "-横線- B a b z z " ] && [ "$(path_of zz)" = "$sort_path/5/1" ] &&
    e2e_pass "by name, ascending: byte order, a folder before an item of the same name" ||
    e2e_fail "by name: $(children_of "$sort_path")"
  select_label Sort && ctl command 40038 > /dev/null
  [ "$(children_of "$sort_path")" = "z z b a B -横線- " ] && [ "$(path_of zz)" = "$sort_path/2/1" ] &&
    e2e_pass "by name, descending" || e2e_fail "by name descending: $(children_of "$sort_path")"
  select_label Sort && ctl command 40039 > /dev/null
  [ "$(children_of "$sort_path")" = "z B a b z -横線- " ] && [ "$(path_of zz)" = "$sort_path/1/1" ] &&
    e2e_pass "by kind, ascending: folders first, then modes by number, ties by text" ||
    e2e_fail "by kind: $(children_of "$sort_path")"
  select_label Sort && ctl command 40040 > /dev/null
  [ "$(children_of "$sort_path")" = "-横線- z b a B z " ] && e2e_pass "by kind, descending" ||
    e2e_fail "by kind descending: $(children_of "$sort_path")"
}

# drag FROM_PATH TO_PATH   with the left button, in small steps as a hand would
drag() {
  local l t r b x y tx ty
  read -r l t r b <<< "$(ctl itemrect "$1")"
  x=$(((l + r) / 2)) y=$(((t + b) / 2))
  read -r l t r b <<< "$(ctl itemrect "$2")"
  tx=$(((l + r) / 2)) ty=$(((t + b) / 2))
  e2e_move "$x" "$y"
  xdotool mousedown 1
  for step in 1 2 3 4 5 6; do
    e2e_move $((x + (tx - x) * step / 6)) $((y + (ty - y) * step / 6 + (step == 1 ? 5 : 0)))
    sleep 0.1
  done
  xdotool mouseup 1
  sleep 0.3
}

test_drag_and_drop() {
  local before
  before=$(e2e_editor_tree | cut -f1,5)
  drag "$(path_of F-open)" "$(path_of F1)"
  [ "$(e2e_editor_tree | cut -f1,5)" = "$before" ] && e2e_pass "a folder dropped on its own child stays where it was" ||
    e2e_fail "the drop on a descendant changed the tree"
  drag "$(path_of C)" 0
  check_path C 1 "an entry dropped on \"メニュー\" becomes the first top-level entry"
  drag "$(path_of C)" "$(path_of A)"
  check_path C 1/1 "an entry dropped on another becomes its first child"
  select_label C && ctl click 1008 > /dev/null
}

# click_entry LABEL   clicks the entry's label: it is selected and the tree has the focus
click_entry() {
  local path
  path=$(path_of "$1") || { e2e_fail "no entry \"$1\""; return 1; }
  e2e_click_in_rect "$(ctl itemrect "$path")"
  e2e_wait_until '[ "$(ctl focus)" = 1003 ]' 5
}

test_rename_and_modes() {
  click_entry A
  e2e_key F2
  sleep 0.5
  e2e_key ctrl+a
  e2e_type Renamed
  e2e_key Return
  e2e_wait_until '[ -n "$(path_of Renamed)" ]' 5
  [ "$(ctl gettext 1001)" = Renamed ] && e2e_pass "F2 renames the entry and the display text follows" ||
    e2e_fail "after F2: label path [$(path_of Renamed)], field [$(ctl gettext 1001)]"

  local year
  year=$(date +%Y)
  [ -n "$(path_of "$year")" ] && e2e_pass "a date item's label is its format expanded now" ||
    e2e_fail "no entry labelled $year"
  select_label "$year" && ctl command 126 > /dev/null
  e2e_type 'typed'
  e2e_key Return
  sleep 0.5
  [ -n "$(path_of "$year")" ] && [ "$(ctl gettext 1001)" = '%Y' ] &&
    e2e_pass "renaming a date item changes nothing" || e2e_fail "the date item was renamed: $(ctl gettext 1001)"

  ctl select 0 click 1018 combo 1013 3 > /dev/null
  [ "$(ctl gettext 1001 | iconv -f CP932 -t UTF-8)" = "-横線-" ] && [ "$(e2e_editor_label 1)" = "-横線-" ] &&
    e2e_pass "\"New\" switched to a separator shows \"-横線-\"" || e2e_fail "after mode 3: $(e2e_editor_label 1)"
  ctl combo 1013 10 > /dev/null
  [ "$(e2e_editor_label 1)" = "終了(&X)" ] && e2e_pass "switched on to exit it shows \"終了(&X)\"" ||
    e2e_fail "after mode 10: $(e2e_editor_label 1)"
  ctl settext 1001 "$(e2e_text_file mine.txt 'Mine')" combo 1013 3 > /dev/null
  [ "$(e2e_editor_label 1)" = Mine ] && e2e_pass "a text the user wrote survives a mode change" ||
    e2e_fail "after the user's text and mode 3: $(e2e_editor_label 1)"
  [ "$(ctl command 2002 combosel 1013)" = 2 ] && e2e_pass "the context menu's mode command sets the mode" ||
    e2e_fail "mode after command 2002: $(ctl combosel 1013)"
  ctl click 1006 > /dev/null

  ctl select 0 click 1018 click 1018 click 1007 select 1 combo 1013 3 > /dev/null
  [ "$(e2e_editor_label 1)" = "-横線-" ] && [ "$(e2e_editor_label 1/1)" = New ] &&
    e2e_pass "a folder \"New\" switched to a separator shows \"-横線-\" in the tree too" ||
    e2e_fail "the folder's label after mode 3: $(e2e_editor_label 1)"
  test_long_rename
  ctl click 1006 > /dev/null
}

# Renaming in place a display text longer than the tree's label edit holds.
test_long_rename() {
  local long
  long=$(printf 'ソ%.0s' $(seq 1000))
  ctl settext 1001 "$(e2e_text_file long.txt "$long")" command 126 > /dev/null
  e2e_key Return
  sleep 0.5
  ctl gettext 1001 renamed.txt > /dev/null
  e2e_expect_bytes renamed.txt long.txt "F2 and Enter on a 2,000-byte text keep it whole"
  ctl command 126 > /dev/null
  e2e_key End
  e2e_type '!'
  e2e_key Return
  sleep 0.5
  e2e_sjis "$long!" longer.txt
  ctl gettext 1001 renamed.txt > /dev/null
  e2e_expect_bytes renamed.txt longer.txt "a long text is renamed in full"
}

test_corners() {
  select_label Renamed && ctl combo 1025 1 > /dev/null
  select_label C && ctl combo 1025 1 > /dev/null
  select_label Renamed
  [ "$(ctl combosel 1025)" = 0 ] && e2e_pass "a corner given to another item leaves the first with \"なし\"" ||
    e2e_fail "the first item still shows corner $(ctl combosel 1025)"
  select_label C && ctl check 1022 1 > /dev/null
  select_label F-open && ctl command 129 > /dev/null
  [ "$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)" = "フォルダになっている項目は動きません" ] &&
    e2e_pass "running a folder from the editor says it does not run" || e2e_fail "no message for running a folder"
  ctl answer 1 > /dev/null
}

# The data file cannot be replaced (immutable): the save fails without harm.
test_failed_save() {
  chattr +i menu.ini 2> /dev/null || { e2e_pass "skipped: chattr cannot lock the data file here"; return; }
  cp menu.ini before-failed.ini
  select_label C && ctl settext 1001 "$(e2e_text_file c2.txt C2)" click 1014 > /dev/null
  local message
  message=$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)
  ctl answer 1 > /dev/null
  chattr -i menu.ini
  [ "$message" = "書き込みに失敗しました．" ] && e2e_pass "a failed save tells the user" || e2e_fail "message: [$message]"
  e2e_expect_bytes menu.ini before-failed.ini "a failed save leaves the data file as it was"
  ctl window > /dev/null && [ -n "$(path_of C2)" ] && e2e_pass "the editor stays open with the edit" ||
    e2e_fail "the editor or the edit is gone after the failed save"
  ctl settext 1001 "$(e2e_text_file c.txt C)" > /dev/null
}

test_save_and_prompt() {
  ctl click 1014 > /dev/null
  e2e_write_menu expected.ini "${E2E_MENU_HEADER}1568	0	0
0	Renamed	a	0	16	0		0
0	C		0	1	1		0
0	F-open		0	16	0		0
{
	0	F1		0	0	0		0
	0	F2		0	0	0		0
}
0	Sort		0	16	0		0
{
	3	-横線-		0	0	0		0
	0	z		0	0	0		0
	0	b		0	0	0		0
	0	a		0	0	0		0
	0	B		0	0	0		0
	0	z		0	0	0		0
	{
		0	zz		0	0	0		0
	}
}
2	プログラム	C:\\\\Windows\\\\notepad.exe\\r\\n-n	0	0	0		0
8	%Y		0	0	0		0
"
  # "Renamed" was a folder for a moment (C was dropped into it): it keeps the
  # expanded mark the tree gave it then.
  e2e_expect_bytes menu.ini expected.ini "更新 writes every edit into the data file"
  cp menu.ini saved.ini

  select_label C && ctl command 126 > /dev/null
  e2e_key Return
  sleep 0.5
  ctl click 2 > /dev/null
  editor_closed && ! ctl msgbox 1 > /dev/null 2>&1 &&
    e2e_pass "キャンセル right after 更新 and a rename that changed nothing closes without asking" ||
    e2e_fail "the editor asked or stayed open after 更新 with no change"
  e2e_start "$DESKTOP" tolvane.exe  # a second start opens the first one's editor
  ctl wait-window > /dev/null || e2e_fail "a second start did not open the editor"
  select_label C && ctl click 1006 > /dev/null
  ctl click 2 > /dev/null
  [ "$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)" = "変更されています．設定を保存しますか？" ] &&
    e2e_pass "キャンセル with changes asks" || e2e_fail "no save prompt"
  ctl answer 2 > /dev/null
  ctl wait-window 2 > /dev/null && [ -z "$(path_of C)" ] && e2e_pass "answering Cancel keeps the editor with the changes" ||
    e2e_fail "the editor or its change went after Cancel"
  ctl click 2 > /dev/null
  ctl answer 7 > /dev/null
  editor_closed && e2e_pass "answering No closes the editor" || e2e_fail "still open after No"
  e2e_expect_bytes menu.ini saved.ini "No leaves the data file as it was"
  open_editor
  [ -n "$(path_of C)" ] && e2e_pass "the discarded deletion is back when the editor reopens" || e2e_fail "C is gone"
  select_label C && ctl click 1006 click 2 > /dev/null
  ctl answer 6 > /dev/null
  editor_closed
  ! grep -q $'\t''C'$'\t' menu.ini && e2e_pass "answering Yes saves" || e2e_fail "C is still in the data file after Yes"
}

# 新しいフォルダ: an open folder holding one "New", placed like New, its label
# ready to be typed over; Ctrl+S writes both and notes the save in the caption
# for a few seconds. The data file is put back for the tests after this one.
editor_caption() { e2e_winlist --class '#32770' --visible | cut -f9 | iconv -f CP932 -t UTF-8; }
test_new_folder_saved() {
  open_editor
  cp menu.ini before-folder.ini
  ctl select 0 command 40061 > /dev/null
  sleep 0.5
  e2e_type Folder
  e2e_key Return
  e2e_wait_until '[ -n "$(path_of Folder)" ]' 5
  [ "$(path_of Folder)" = 1 ] && [ "$(e2e_editor_label 1/1)" = New ] &&
    [ "$(e2e_editor_tree | awk -F'\t' '$1 == "1" { print $2 }')" = 1 ] &&
    e2e_pass "新しいフォルダ makes an open folder holding New first, its label open for typing" ||
    e2e_fail "after 新しいフォルダ: $(e2e_editor_tree | cut -f1,2,5 | head -3 | tr '\t\n' ': ')"
  e2e_click_in_rect "$(ctl itemrect 1)"
  e2e_wait_until '[ "$(e2e_foreground_class)" = "#32770" ]' 5
  e2e_key ctrl+s
  e2e_wait_until 'editor_caption | grep -q "^Tolvane (設定) - 保存しました [0-9]\{1,2\}:[0-9][0-9]$"' 5 &&
    e2e_pass "Ctrl+S shows 保存しました with the time in the caption" || e2e_fail "caption after Ctrl+S: [$(editor_caption)]"
  { head -n 1 before-folder.ini
    e2e_write_menu folder.part "0	Folder		0	16	0		0
{
	0	New		0	0	0		0
}
" && cat folder.part
    tail -n +2 before-folder.ini; } > expected-folder.ini
  e2e_expect_bytes menu.ini expected-folder.ini "the new folder and its item are in the data file"
  e2e_wait_until '[ "$(editor_caption)" = "Tolvane (設定)" ]' 8 &&
    e2e_pass "the caption goes back after a few seconds" || e2e_fail "caption stays [$(editor_caption)]"
  ctl click 2 > /dev/null
  editor_closed
  cp before-folder.ini menu.ini
}

test_size_and_splitter() {
  open_editor
  local handle enabled visible l t r b
  read -r handle enabled visible l t r b <<< "$(ctl window)"
  e2e_move $((r - 3)) $((b - 3))
  xdotool mousedown 1
  e2e_move $((r - 100)) $((b - 80))
  e2e_move $((r - 200)) $((b - 150))
  xdotool mouseup 1
  sleep 0.5
  local nl nt nr nb
  read -r _ _ _ nl nt nr nb <<< "$(ctl window)"
  [ $((nr - nl)) -ge $((TEMPLATE_RIGHT - TEMPLATE_LEFT)) ] && [ $((nb - nt)) -ge $((TEMPLATE_BOTTOM - TEMPLATE_TOP)) ] &&
    e2e_pass "the window cannot be made smaller than its template" ||
    e2e_fail "the window is $((nr - nl))x$((nb - nt)), the template $((TEMPLATE_RIGHT - TEMPLATE_LEFT))x$((TEMPLATE_BOTTOM - TEMPLATE_TOP))"

  local sl st sr sb tree_before tree_after
  read -r sl st sr sb <<< "$(ctl rect 1027)"
  read -r tl _ tr _ <<< "$(ctl rect 1003)"
  e2e_move $(((sl + sr) / 2)) $(((st + sb) / 2))
  xdotool mousedown 1
  e2e_move $(((sl + sr) / 2 + 20)) $(((st + sb) / 2))
  e2e_move $(((sl + sr) / 2 + 40)) $(((st + sb) / 2))
  xdotool mouseup 1
  e2e_wait_until '[ "$(set -- $(ctl rect 1003); echo "$3")" != "$tr" ]' 5
  read -r _ _ tr2 _ <<< "$(ctl rect 1003)"
  [ $((tr2 - tr)) = 40 ] && e2e_pass "the splitter widens the tree by the distance moved" || e2e_fail "the tree grew by $((tr2 - tr))"
  read -r _ _ _ l _ _ _ <<< "$(ctl window)"
  local offset=$((sl + 40 - l))
  ctl click 2 > /dev/null
  editor_closed
  open_editor
  read -r _ _ _ l _ _ _ <<< "$(ctl window)"
  read -r sl _ _ _ <<< "$(ctl rect 1027)"
  [ $((sl - l)) = "$offset" ] && e2e_pass "the split is restored when the editor reopens" ||
    e2e_fail "splitter at $((sl - l)) from the window's left, expected $offset"
}

# Items beyond the id space (33,800 menu ids, then the 10,000 history ids they
# borrow) have no id; one keeps its corner itself, and the pane shows and
# stores it there. The many items sit in a closed folder, which the tree fills
# quickly.
test_corner_beyond_ids() {
  {
    printf '%s0\t0\t0\n0\tBig\t\t0\t0\t0\t\t0\n{\n' "$E2E_MENU_HEADER"
    seq 43800 | sed 's/.*/\t0\tn\t\t0\t0\t0\t\t0/'
    printf '}\n0\tFar\t\t0\t0\t2\t\t0\n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > far.ini
  # Alone: a second copy would tell, in a message box, that the first has its keys.
  e2e_stop tolvane.exe
  e2e_start "$DESKTOP" tolvane.exe far.ini
  ctl wait-window 60 > /dev/null || { e2e_fail "no editor for far.ini"; return 1; }
  [ "$(ctl select 2 combosel 1025)" = 2 ] && e2e_pass "the pane shows the corner of an item without an id" ||
    e2e_fail "the item without an id shows corner $(ctl combosel 1025)"
  # Saving 43,800 items takes many seconds under a loaded machine.
  E2E_TIMEOUT=90 ctl combo 1025 3 click 1014 click 2 > /dev/null
  grep -q $'\tFar\t\t0\t0\t3\t' far.ini && e2e_pass "and stores a corner chosen for it" ||
    e2e_fail "far.ini: $(grep -a Far far.ini)"
}

# A closed folder's entries are made when it first opens; until then a find,
# a typed key, a drop and a sort reach them all the same. Nothing here reads
# the whole tree, which would fill every folder.
test_unopened_folders() {
  e2e_write_menu lazy.ini "${E2E_MENU_HEADER}1568	0	0
0	Top	t	0	0	0		0
0	Shut		0	0	0		0
{
	0	Inner		0	0	0		0
	{
		0	deep one	d	0	0	0		0
	}
}
0	Target		0	0	0		0
{
	0	T1		0	0	0		0
}
0	Mover	m	0	0	0		0
0	Closed		0	0	0		0
{
	0	c1		0	0	0		0
}
0	End		0	0	0		0
0	Later		0	0	0		0
{
	0	l2		0	0	0		0
	0	l1		0	0	0		0
}
"
  e2e_stop tolvane.exe
  e2e_start "$DESKTOP" tolvane.exe lazy.ini
  ctl wait-window > /dev/null || { e2e_fail "no editor for lazy.ini"; return 1; }
  local below
  read -r _ below _ _ <<< "$(ctl itemrect 6)"
  # shellcheck disable=SC2046  # "X Y"
  e2e_click $(ctl buttonpoint 5)
  e2e_wait_until '[ "$(ctl itemrect 6 | cut -d" " -f2)" -gt "$below" ]' 5 &&
    e2e_pass "a closed folder's entries appear below it when its button is clicked" ||
    e2e_fail "the entry after the folder stayed at $(ctl itemrect 6)"
  ctl select 1 command 40035 > /dev/null
  ctl --title 検索 wait-window > /dev/null || { e2e_fail "no find dialog"; return 1; }
  ctl --title 検索 settext 1152 "$(e2e_text_file what.txt deep)" check 1057 1 click 1 click 2 > /dev/null
  [ "$(ctl selected)" = 2/1/1 ] && e2e_pass "a find lands on an item two closed folders down" ||
    e2e_fail "the find selected [$(ctl selected)]"
  e2e_click_in_rect "$(ctl rect 1012)"
  e2e_wait_until '[ "$(ctl focus)" = 1012 ]' 5 && e2e_key ctrl+alt+3
  e2e_wait_until '[ "$(ctl hotkey 1012)" = 1587 ]' 5 || e2e_fail "the key field shows $(ctl hotkey 1012)"
  drag 4 3
  ctl select 6 command 40037 > /dev/null
  ctl click 1019 > /dev/null
  editor_closed
  e2e_write_menu lazy.expected "${E2E_MENU_HEADER}1568	0	0
0	Top	t	0	0	0		0
0	Shut		0	16	0		0
{
	0	Inner		0	16	0		0
	{
		0	deep one	d	1587	0	0		0
	}
}
0	Target		0	16	0		0
{
	0	Mover	m	0	0	0		0
	0	T1		0	0	0		0
}
0	Closed		0	16	0		0
{
	0	c1		0	0	0		0
}
0	End		0	0	0		0
0	Later		0	0	0		0
{
	0	l1		0	0	0		0
	0	l2		0	0	0		0
}
"
  e2e_expect_bytes lazy.ini lazy.expected \
    "the found item's key, the entry dropped on a closed folder and a closed folder sorted are saved"
}

# keys_focus KEY COUNT   presses KEY COUNT times; prints the focused control's id after each
keys_focus() {
  local i ids='' focus
  for ((i = 0; i < $2; i++)); do
    focus=$(ctl focus)
    e2e_key "$1"
    e2e_wait_until '[ "$(ctl focus)" != "$focus" ]' 3
    ids+="$(ctl focus) "
  done
  echo "$ids"
}

test_keyboard() {
  ctl select 0 > /dev/null
  click_entry Renamed
  local order tabbed=$'a\tx'
  local expected="1001 1000 1030 1012 1022 1025 1019 1014 2 1018 1004 1005 1008 1007 1006 1009 1010 1017 1011 1058 1013"
  order="$(keys_focus Tab 22)/$(keys_focus shift+Tab 2)"
  [ "$order" = "$expected 1003 /1013 1058 " ] && e2e_pass "Tab and Shift+Tab go through the controls in the template's order" ||
    e2e_fail "Tab, then Shift+Tab: [$order]"
  ctl select 0 > /dev/null
  click_entry Renamed
  keys_focus Tab 2 > /dev/null
  e2e_key ctrl+End ctrl+Tab x Escape
  e2e_wait_until '[ "$(ctl gettext 1000)" = "$tabbed" ]' 5 && [ "$(ctl focus)" = 1000 ] &&
    e2e_pass "Ctrl+Tab in the content field types a TAB; Escape closes nothing" ||
    e2e_fail "content [$(ctl gettext 1000)], focus on [$(ctl focus)]"
  ctl settext 1000 "$(e2e_text_file a.txt a)" click 1014 > /dev/null
}

# The content field holds any character; the data file keeps one code page 932
# lacks as \u{…}, and reading it back shows the character again.
test_unicode_content() {
  ctl select 0 > /dev/null
  click_entry Renamed
  printf '笑顔😀' > smile.txt
  ctl settext-utf8 1000 "$(e2e_winpath smile.txt)" click 1014 > /dev/null
  e2e_wait_until "grep -q 'Renamed	笑顔\\\\u{1F600}	' <(iconv -f CP932 -t UTF-8 menu.ini)" 5 &&
    e2e_pass "an emoji typed in the content field is saved as \\u{1F600}" ||
    e2e_fail "data file: [$(grep Renamed menu.ini | iconv -f CP932 -t UTF-8)]"
  ctl click 1009 click 1014 > /dev/null
  e2e_wait_until "[ \"\$(grep -c 'Renamed	笑顔\\\\u{1F600}	' <(iconv -f CP932 -t UTF-8 menu.ini))\" = 2 ]" 5 &&
    e2e_pass "a copy of the item keeps the emoji (\\u{1F600})" ||
    e2e_fail "after the copy: [$(grep Renamed menu.ini | iconv -f CP932 -t UTF-8)]"
  ctl click 1006 > /dev/null
  select_label Renamed
  refused_display_text "typed into the display text" ctl settext-utf8 1001 "$(e2e_winpath smile.txt)"
  click_entry Renamed
  e2e_key F2
  sleep 0.5
  printf '\x3d\xd8\x00\xde\x00\x00' > smile16.txt  # 😀 as UTF-16
  e2e_clipboard --set-format 13 smile16.txt
  e2e_key ctrl+v
  e2e_key Return
  refused_display_text "pasted into a rename (F2)" true
  ctl settext 1000 "$(e2e_text_file a.txt a)" click 1014 > /dev/null
}

# refused_character ID NAME KEPT WHAT COMMAND...: after COMMAND puts 😀 into the
# field ID, a message names it and the field (NAME), the field holds KEPT again
# and the entry keeps its label "Renamed"
refused_character() {
  local id=$1 name=$2 kept=$3 what=$4 box
  shift 4
  "$@" > /dev/null
  box=$(ctl msgbox 5 | iconv -f CP932 -t UTF-8)
  [[ $box == *"${name}に"*"U+1F600"*"使えません"* ]] && e2e_pass "😀 $what is refused: ${box//$'\n'/ }" ||
    e2e_fail "$what: message box [$box]"
  ctl answer 1 > /dev/null
  [ "$(ctl gettext-utf8 "$id")" = "$kept" ] && [ -n "$(path_of Renamed)" ] &&
    e2e_pass "the $name stays as it was" ||
    e2e_fail "$what: field [$(ctl gettext-utf8 "$id")], label of $(ctl selected) [$(e2e_editor_label "$(ctl selected)")]"
}
refused_display_text() {
  local what=$1
  shift
  refused_character 1001 表示テキスト Renamed "$what" "$@"
}

# type_into ID TEXT: a click into the field ID, then TEXT typed on the keyboard
type_into() {
  e2e_click_in_rect "$(ctl rect "$1")"
  e2e_wait_until "[ \"\$(ctl focus)\" = $1 ]" 5 || e2e_fail "the field $1 did not take the focus"
  e2e_key ctrl+End
  e2e_type "$2"
}

# Characters beyond the keyboard typed into the fields (xdotool maps a spare
# key to each, which Wine hands on as WM_CHAR): the content keeps each and is
# saved as a paste is; the display text and the 略語 refuse one that code page
# 932 lacks, as they refuse it pasted.
test_typed_characters() {
  local typed='😀𠮷한국어é'
  ctl select 0 > /dev/null
  click_entry Renamed
  type_into 1000 "$typed"
  e2e_wait_until '[ "$(ctl gettext-utf8 1000)" = "a$typed" ]' 5 &&
    e2e_pass "$typed typed into the content field arrives whole" ||
    e2e_fail "the content field holds [$(ctl gettext-utf8 1000)]"
  ctl click 1014 > /dev/null
  e2e_wait_until "grep -qF 'Renamed	a\u{1F600}\u{20BB7}\u{D55C}\u{AD6D}\u{C5B4}\u{E9}	' menu.ini" 5 &&
    e2e_pass "and is saved as the data file's \\u{…} escapes" ||
    e2e_fail "data file: [$(grep Renamed menu.ini | iconv -f CP932 -t UTF-8)]"
  refused_display_text "typed into the display text" type_into 1001 😀
  refused_character 1030 略語 "" "typed into the 略語" type_into 1030 😀
  ctl settext 1000 "$(e2e_text_file a.txt a)" click 1014 > /dev/null
}

# check_maximized WHAT SHOT: the caption on the screen (the top edge as far out
# as the left one), every control above the taskbar, and the bottom row drawn
# where it went (the OK button shows more than its face colour in SHOT)
check_maximized() {
  local l t l2 t2 r b taskbar outside colours
  read -r _ _ _ l t _ _ <<< "$(ctl window)"
  read -r _ taskbar _ _ <<< "$(e2e_window_rect Shell_TrayWnd)"
  outside=$(ctl controls | awk -F'\t' -v bottom="$taskbar" -v right="${E2E_DESKTOP_SIZE%x*}" \
    '$3 == 1 && ($5 < 0 || $6 < 0 || $7 > right || $8 > bottom) { printf "%s ", $1 }')
  sleep 0.5
  e2e_screenshot "$2"
  read -r l2 t2 r b <<< "$(ctl rect 1019)"
  colours=$(convert "$2" -crop "$((r - l2))x$((b - t2))+$((l2 + E2E_DESKTOP_X))+$((t2 + E2E_DESKTOP_Y))" -format %k info:)
  [ "$t" = "$l" ] && [ -z "$outside" ] && [ "$colours" -gt 2 ] && e2e_pass "$1: all of it in the work area, drawn" ||
    e2e_fail "$1: window at $l,$t; controls [$outside] beyond $taskbar; OK shows $colours colours ($2)"
}

test_maximized() {
  local l t r
  read -r _ _ _ l t r _ <<< "$(ctl window)"
  e2e_move $(((l + r) / 2)) $((t + 8))
  xdotool click --repeat 2 --delay 80 1
  e2e_wait_until '[ "$(ctl window | cut -f4)" -lt "$l" ]' 5
  e2e_park_pointer  # nothing hovered in the screenshots
  check_maximized "maximised by a double click on the caption" "$(e2e_screenshots_dir)/editor-maximized.png"
  ctl click 2 > /dev/null
  editor_closed
  open_editor
  check_maximized "reopened maximised" "$E2E_WORK/reopened-maximized.png"
}

test_open_at_start
test_new_items
test_moves
test_sorts
test_drag_and_drop
test_rename_and_modes
test_corners
test_failed_save
test_save_and_prompt
test_new_folder_saved
test_size_and_splitter
test_keyboard
test_unicode_content
test_typed_characters
test_maximized
ctl click 2 > /dev/null
test_corner_beyond_ids
test_unopened_folders
e2e_finish
