#!/usr/bin/env bash
# The settings editor's dialogs as a user meets them: the Find dialog through
# the tree (document order, both directions, no wrap-around, the root never
# found) and inside the content field (after double-byte text), Ctrl+K through
# the items with keys; the options dialog, whose values reach tv2.ini when the
# program ends; the icon dialog on a library with many icons, down to the data
# file's bytes. Screenshots of the three dialogs land in WORK_PARENT/../screenshots.
# Usage: editor_dialogs_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init editor-dialogs "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)
DESKTOP=dialogs

# "key" is in a folder's text, its first child's text, only in its second
# child's content and in the last keyed item's text. Smile's content holds 😀. Alpha (Ctrl+Alt+1), "key child"
# (only the Windows-key flag) and "Last key" (Ctrl+Alt+2) have keys.
e2e_write_menu menu.ini "${E2E_MENU_HEADER}1568	0	0
0	Alpha	first	1585	0	0		0
0	Folder key		0	16	0		0
{
	0	key child		0	1	0		0
	0	Plain	has key inside	0	0	0		0
}
0	Beta	日本語abc日本abc	0	0	0		0
0	Last key		1586	0	0		0
0	Smile	笑顔\\u{1F600}	0	0	0		0
"
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
FIND=(--title 検索)
OPTIONS=(--title オプション)
ICON=(--title アイコンの選択)
SHELL32='C:\windows\system32\shell32.dll'
# A text for a field, from UTF-8, as a Windows path of its CP932 bytes.
text_file() { e2e_sjis "$2" "$1"; e2e_winpath "$1"; }
utf8() { iconv -f CP932 -t UTF-8; }

# expect GOT EXPECTED DESCRIPTION
expect() { [ "$1" = "$2" ] && e2e_pass "$3" || e2e_fail "$3: got [$1], expected [$2]"; }
expect_selected() { expect "$(ctl selected)" "$@"; }
# The answers of several editorctl commands on one line.
answers() { ctl "$@" | utf8 | tr '\n' ' '; }

# not_found_message EXPECTED_UTF8 DESCRIPTION   answers the message box
not_found_message() {
  local got
  got=$(ctl msgbox 5 | utf8)
  ctl answer 1 > /dev/null 2>&1
  expect "$got" "Tolvane (設定)	$1" "$2"
}

# find_in_dialog TEXT up|down   one press of 次を検索
find_in_dialog() {
  ctl "${FIND[@]}" settext 1152 "$(text_file what.txt "$1")" check "$([ "$2" = up ] && echo 1056 || echo 1057)" 1 \
    click 1 > /dev/null
}

test_find_in_tree() {
  ctl select 1 command 40035 > /dev/null
  ctl "${FIND[@]}" wait-window > /dev/null && e2e_pass "F3 with nothing searched yet opens the find dialog" ||
    { e2e_fail "no find dialog"; return 1; }
  expect "$(ctl "${FIND[@]}" controls | awk -F'\t' '$1 == 1040 || $1 == 1041 { printf "%s", $4 }')" 00 \
    "the whole-word and match-case boxes are disabled"
  find_in_dialog key down
  e2e_screenshot "$SHOTS/editor-find.png"
  expect_selected 2 "forward, a folder comes before its children"
  find_in_dialog key down
  expect_selected 2/1 "then its first child"
  find_in_dialog key down
  expect_selected 2/2 "a match only in the content selects that item"
  find_in_dialog key down
  expect_selected 4 "then the last item"
  find_in_dialog key down
  not_found_message "key は見つかりません" "past the last match: \"key は見つかりません\""
  expect_selected 4 "the selection stays where it was"

  find_in_dialog key up
  expect_selected 2/2 "backward, the last child of the folder above comes first"
  find_in_dialog key up
  find_in_dialog key up
  expect_selected 2 "backward, the folder comes after its children"
  ctl select 0 > /dev/null
  find_in_dialog メニュー down
  not_found_message "メニュー は見つかりません" "\"メニュー\" is never found"

  ctl select 4 > /dev/null
  find_in_dialog Alpha down
  not_found_message "Alpha は見つかりません" "forward from the last item does not wrap around"
  find_in_dialog Alpha up
  expect_selected 1 "backward finds the earlier item"
  ctl "${FIND[@]}" click 2 > /dev/null
  e2e_wait_until '! ctl "${FIND[@]}" window > /dev/null 2>&1' 5 && e2e_pass "キャンセル closes the find dialog" ||
    e2e_fail "the find dialog stayed open"
}

test_find_in_content() {
  ctl select 3 > /dev/null
  e2e_click_in_rect "$(ctl rect 1000)"
  e2e_wait_until '[ "$(ctl focus)" = 1000 ]' 5
  e2e_key ctrl+End
  e2e_key ctrl+f
  ctl "${FIND[@]}" wait-window > /dev/null || { e2e_fail "Ctrl+F opened no find dialog"; return 1; }
  # Alt+D and Enter reach the modeless dialog only through the message loop.
  ctl "${FIND[@]}" settext 1152 "$(text_file what.txt abc)" > /dev/null
  e2e_key alt+d
  e2e_key Return
  not_found_message "abc は見つかりません" "in the content, forward from the caret at the end finds nothing"
  find_in_dialog abc up
  ctl "${FIND[@]}" click 2 > /dev/null
  e2e_wait_until '[ "$(ctl focus)" = 1000 ]' 5
  e2e_type Z
  expect "$(ctl gettext 1000 | utf8)" "日本語abc日本Z" "backward selects exactly the later \"abc\", after double-byte text"
  e2e_key F3
  not_found_message "abc は見つかりません" "F3 searches forward from the caret"
  e2e_wait_until '[ "$(ctl focus)" = 1000 ]' 5
  e2e_key shift+F3
  e2e_type Y
  expect "$(ctl gettext 1000 | utf8)" "日本語Y日本Z" "Shift+F3 finds the earlier \"abc\""
  ctl settext 1000 "$(text_file beta.txt '日本語abc日本abc')" > /dev/null
}

# 😀 typed into the find dialog finds the item whose content keeps it as an
# escape, and then the character itself inside that content.
test_find_typed_unicode() {
  ctl select 0 > /dev/null
  # The search goes through the tree when the tree has the focus.
  e2e_click_in_rect "$(ctl itemrect 0)"
  e2e_wait_until '[ "$(ctl focus)" = 1003 ]' 5 || e2e_fail "the tree did not take the focus"
  ctl post 40012 > /dev/null
  ctl "${FIND[@]}" wait-window > /dev/null || { e2e_fail "no find dialog"; return 1; }
  e2e_wait_until '[ "$(ctl "${FIND[@]}" focus)" = 1152 ]' 5 || e2e_fail "the find field has no focus"
  e2e_type 😀
  e2e_wait_until '[ "$(ctl "${FIND[@]}" gettext-utf8 1152)" = 😀 ]' 5 &&
    e2e_pass "😀 typed into the find dialog arrives whole" ||
    e2e_fail "the find field holds [$(ctl "${FIND[@]}" gettext-utf8 1152)]"
  ctl "${FIND[@]}" check 1057 1 click 1 click 2 > /dev/null
  expect_selected 5 "it finds the item whose content holds 😀"
  e2e_click_in_rect "$(ctl rect 1000)"
  e2e_wait_until '[ "$(ctl focus)" = 1000 ]' 5
  e2e_key ctrl+Home
  e2e_key F3
  e2e_type Z
  expect "$(ctl gettext-utf8 1000)" 笑顔Z "F3 in the content selects exactly 😀"
  printf '笑顔😀' > smile.txt
  ctl settext-utf8 1000 "$(e2e_winpath smile.txt)" > /dev/null
}

test_find_shortcuts() {
  ctl select 0 command 40013 > /dev/null
  expect_selected 1 "Ctrl+K finds the first item with a key"
  ctl command 40013 > /dev/null
  expect_selected 2/1 "then one with only the Windows-key flag"
  ctl command 40013 > /dev/null
  expect_selected 4 "then the last one"
  ctl command 40013 > /dev/null
  not_found_message "見つかりません" "after the last keyed item: \"見つかりません\""
}

test_options() {
  ctl post 40025 > /dev/null
  ctl "${OPTIONS[@]}" wait-window > /dev/null || { e2e_fail "no options dialog"; return 1; }
  e2e_screenshot "$SHOTS/editor-options.png"
  expect "$(answers "${OPTIONS[@]}" combosel 1037 gettext 1000 gettext 1001 checked 1048)" "0 1 200 0 " \
    "the dialog shows the settings: position 0, 1 tick, width 200, new date format"
  expect "$(ctl "${OPTIONS[@]}" controls | awk -F'\t' '$1 == 1035 || $1 == 1047 { printf "%s", $4 }')" 00 \
    "the tray and auto-close boxes are disabled"
  ctl "${OPTIONS[@]}" combo 1037 5 settext 1000 "$(text_file ticks.txt 7)" settext 1001 "$(text_file width.txt abc)" \
    click 1 > /dev/null
  ctl post 40025 > /dev/null
  ctl "${OPTIONS[@]}" wait-window > /dev/null
  expect "$(answers "${OPTIONS[@]}" combosel 1037 gettext 1000 gettext 1001)" "5 7 200 " \
    "OK took 画面右下隅 and 7 ticks, and \"abc\" kept the width 200"
  ctl "${OPTIONS[@]}" combo 1037 2 settext 1001 "$(text_file width2.txt 999)" check 1048 1 click 2 > /dev/null
  ctl post 40025 > /dev/null
  ctl "${OPTIONS[@]}" wait-window > /dev/null
  expect "$(answers "${OPTIONS[@]}" combosel 1037 gettext 1001 checked 1048)" "5 200 0 " "キャンセル keeps every setting"
  ctl "${OPTIONS[@]}" click 2 > /dev/null
}

# icon_columns LABEL   "FILE<TAB>INDEX" of the item in the saved data file
icon_columns() { tr -d '\r' < menu.ini | utf8 | awk -F'\t' -v label="$1" '$2 == label { print $7 "\t" $8 }'; }

open_icon_dialog() {
  ctl select "$1" post 1010 > /dev/null
  ctl "${ICON[@]}" wait-window > /dev/null || { e2e_fail "no icon dialog for entry $1"; return 1; }
}

test_icon_dialog() {
  ctl select 0 command 1010 > /dev/null
  ! ctl "${ICON[@]}" window > /dev/null 2>&1 && e2e_pass "with \"メニュー\" selected 1010 opens nothing" ||
    e2e_fail "an icon dialog for the root"

  open_icon_dialog 1 || return 1
  expect "$(answers "${ICON[@]}" gettext 1000 listsel 1052 focus)" " -1 0 1000 " \
    "an item without an icon: empty path, empty list, the path has the focus"
  ctl "${ICON[@]}" settext 1000 "$(text_file path.txt "$SHELL32")" > /dev/null
  e2e_key Return
  local count image
  e2e_wait_until '[ "$(ctl "${ICON[@]}" focus 2>/dev/null)" = 1052 ]' 10
  read -r _ count <<< "$(ctl "${ICON[@]}" listsel 1052)"
  [ "${count:-0}" -gt 3 ] && [ "$(ctl "${ICON[@]}" listsel 1052)" = "0 $count" ] &&
    e2e_pass "Enter in the path field lists the file's $count icons and keeps the dialog open" ||
    e2e_fail "after Enter: $(ctl "${ICON[@]}" listsel 1052 2>&1)"
  e2e_key Down Down Down
  e2e_screenshot "$SHOTS/editor-icon.png"
  e2e_key Return
  e2e_wait_until '! ctl "${ICON[@]}" window > /dev/null 2>&1' 5 && [ "$(ctl focus)" = 1003 ] &&
    e2e_pass "Enter on the list closes the dialog and the tree has the focus" || e2e_fail "dialog or focus: $(ctl focus)"
  image=$(e2e_editor_tree | awk -F'\t' '$1 == "1" { print $4 }')
  [ "${image:-0}" -ge 18 ] && e2e_pass "the entry shows an icon of the file (image $image)" ||
    e2e_fail "the entry shows image $image"
  ctl click 1014 > /dev/null
  expect "$(icon_columns Alpha)" "$SHELL32	3" "更新 stores the file and the fourth icon's index"

  cp menu.ini before-cancel.ini
  open_icon_dialog 1 || return 1
  expect "$(answers "${ICON[@]}" gettext 1000 listsel 1052)" "$SHELL32 3 $count " \
    "reopened, the dialog shows the file with the item's icon selected"
  e2e_key alt+b
  ctl --title アイコンを持つファイルの参照 wait-window > /dev/null && e2e_type notepad.exe && e2e_key Return
  e2e_wait_until '[ "$(ctl "${ICON[@]}" listsel 1052)" = "0 1" ]' 10
  expect "$(answers "${ICON[@]}" gettext 1000 listsel 1052)" 'C:\windows\system32\notepad.exe 0 1 ' \
    "参照 puts the chosen file into the path field and lists its icon"
  ctl "${ICON[@]}" click 2 > /dev/null
  ctl click 1014 > /dev/null
  e2e_expect_bytes menu.ini before-cancel.ini "キャンセル after loading another file leaves the item as it was"

  # 256 "a" and then "あ" cross byte 260: the stored name stops before the "あ".
  # The list still shows the last file loaded, with its fourth icon selected.
  local long
  long="C:\\$(printf 'a%.0s' {1..256})"
  open_icon_dialog 1 || return 1
  ctl "${ICON[@]}" settext 1000 "$(text_file long.txt "${long}あいう")" click 1 > /dev/null
  ctl click 1014 > /dev/null
  expect "$(icon_columns Alpha)" "$long	3" "a path longer than 260 bytes is stored cut before byte 260"

  e2e_click_in_rect "$(ctl itemrect 1)" 3
  e2e_wait_until 'e2e_menu_rect > /dev/null' 5 && e2e_key i
  ctl "${ICON[@]}" wait-window > /dev/null && e2e_pass "the tree's context menu opens the icon dialog" ||
    { e2e_fail "no icon dialog from the context menu"; return 1; }
  ctl "${ICON[@]}" click 1053 > /dev/null
  e2e_wait_until '! ctl "${ICON[@]}" window > /dev/null 2>&1' 5 && e2e_pass "標準に戻す closes the dialog at once" ||
    e2e_fail "the dialog stayed open after 標準に戻す"
  ctl click 1014 > /dev/null
  expect "$(icon_columns Alpha)" "	0" "標準に戻す stores an empty file name and index 0"
  expect "$(e2e_editor_tree | awk -F'\t' '$1 == "1" { print $4 }')" 0 "the entry shows the phrase icon again"
}

# The options reach tv2.ini when the program ends normally.
test_settings_at_exit() {
  ctl --class TV2 close > /dev/null
  # The pattern leaves out this script, whose own command line names tolvane.exe.
  e2e_wait_until "! e2e_running 'tolvane\.exe menu\.ini'" 15 || { e2e_fail "the program did not end"; return 1; }
  local set
  set=$(tr -d '\r' < tv2.ini | awk '/^\[/ { inside = ($0 == "[set]"); next } inside' |
    grep -E '^(ShowMenuPosMode|ShowAutoPopup|iMaxViewSize|bUseOldDateTime)=' | tr '\n' ' ')
  expect "$set" "ShowMenuPosMode=5 ShowAutoPopup=7 iMaxViewSize=200 bUseOldDateTime=0 " "tv2.ini holds the options chosen"
}

e2e_start_tolvane "$DESKTOP" menu.ini
ctl wait-window > /dev/null || { e2e_fail "no editor for menu.ini"; e2e_finish; }
test_find_in_tree
test_find_in_content
test_find_typed_unicode
test_find_shortcuts
test_options
test_icon_dialog
test_settings_at_exit
e2e_finish
