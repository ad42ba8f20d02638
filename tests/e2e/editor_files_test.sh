#!/usr/bin/env bash
# The editor's file and clipboard commands through the real common dialogs:
# the three exports of a subtree compared byte for byte with what tvtool writes
# for the same subtree, importing a part file under another entry, picking a
# program and loading a file's contents, the two fonts (the edit-field one passed
# to an open history edit window), direct editing of the
# data file, and clipboard-history entries inserted as items.
# Usage: editor_files_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE TVTOOL_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
TVTOOL_EXE=$(realpath "${4:?tvtool.exe}")
e2e_init editor-files "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=files

e2e_write_menu menu.ini "${E2E_MENU_HEADER}1568	0	0
0	Parent/出力		0	16	0		0
{
	1	子ソ	ソ表\\\\パス\\r\\n2行目	0	0	0		0
	2	Prog	C:\\\\Tools\\\\x.exe\\r\\n-a	1617	1	0		0
	0	Sub		0	0	0		0
	{
		8	%Y		0	0	0		0
	}
}
0	Other		0	0	0		0
7	クリップボード履歴(&C)		0	0	0		0
"
cp "$TOLVANE_EXE" .
tvtool() { wine "$TVTOOL_EXE" "$@"; }
ctl() { e2e_editorctl "$@"; }
HISTORY_EDIT='クリップボード履歴 内容編集'
FONT_DIALOG='フォントの指定'
path_of() { e2e_editor_path "$1"; }

# The name in a common dialog's file-name box (a combo box, 1148, or an edit, 1152).
dialog_file_name() {
  ctl --title "$1" gettext 1148 2> /dev/null | iconv -f CP932 -t UTF-8 | grep . ||
    ctl --title "$1" gettext 1152 2> /dev/null | iconv -f CP932 -t UTF-8
}

test_exports() {
  e2e_editor_menu_command 1 f s
  ctl --title "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します" wait-window > /dev/null
  [ "$(dialog_file_name "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します")" = 'Parent／出力' ] &&
    e2e_pass "the proposed file name is the display text with its slash made full-width" ||
    e2e_fail "proposed: [$(dialog_file_name "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します")]"
  e2e_file_dialog "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します" part.ini
  tvtool rewrite menu.ini part.expected --item 1
  e2e_wait_file part.ini && e2e_expect_bytes part.ini part.expected "the part export writes the subtree as tvtool does"
  e2e_editor_menu_command 1 f x
  e2e_file_dialog "XML形式の構造ファイルで，現在選択中の位置以下を保存します" part.xml
  tvtool xml menu.ini xml.expected --item 1
  e2e_wait_file part.xml && e2e_expect_bytes part.xml xml.expected "the XML export writes the subtree"
  e2e_editor_menu_command 1 f t
  e2e_file_dialog "単純テキスト形式で現在選択中の位置以下を保存します" part.txt
  tvtool outline menu.ini outline.expected --item 1
  e2e_wait_file part.txt && e2e_expect_bytes part.txt outline.expected "the outline export writes the subtree"
  e2e_editor_menu_command 0 f s
  e2e_file_dialog "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します" whole.ini
  e2e_wait_file whole.ini && e2e_expect_bytes whole.ini menu.ini "the part export of \"メニュー\" is the data file"
}

test_import() {
  printf 'hello\r\n' > bad.ini
  e2e_editor_menu_command 2 f i
  e2e_file_dialog "Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．" bad.ini
  e2e_wait_until 'ctl msgbox > /dev/null 2>&1' 5
  [ "$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)" = "1行目がデータファイルの見出し（「0」，タブ，「メニュー」）で始まっていません．" ] &&
    e2e_pass "an import that is refused names the line at fault, as start-up does" ||
    e2e_fail "import message: [$(ctl msgbox | iconv -f CP932 -t UTF-8)]"
  ctl answer 1 > /dev/null
  e2e_editor_menu_command 2 f i
  e2e_file_dialog "Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．" part.ini
  [ "$(path_of 'Parent/出力')" = 1 ] && [ "$(e2e_editor_label 2/1)" = 'Parent/出力' ] &&
    [ "$(e2e_editor_label 2/1/3/1)" = "$(date +%Y)" ] && [ "$(ctl selected)" = 2/1 ] &&
    e2e_pass "an imported part is the last child of the selection, with its subtree, selected" ||
    e2e_fail "after the import: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
  # Many entries go into an open folder while it is closed, and it opens again.
  local many
  many=$(seq -f $'0\tmany%g\t\t0\t0\t0\t\t0' 1 70)
  e2e_write_menu many.ini "${E2E_MENU_HEADER}1568	0	0
$many
"
  e2e_editor_menu_command 0 f i
  e2e_file_dialog "Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．" many.ini
  local selected
  selected=$(ctl selected)
  e2e_editor_menu_command 0 f s
  e2e_file_dialog "Tolvane２形式の構造ファイルで，現在選択中の位置以下を保存します" many-saved.ini
  e2e_wait_file many-saved.ini
  [ "$(tail -n 70 many-saved.ini | tr -d '\r')" = "$many" ] && [ "$(e2e_editor_label "$selected")" = many70 ] &&
    [ -n "$(ctl itemrect "$selected")" ] &&
    e2e_pass "70 imported entries are the last ones of the open root, the last one selected and in view" ||
    e2e_fail "after importing 70: selected $selected, $(tail -n 2 many-saved.ini | tr '\t\r\n' ':  ')"
  ctl click 2 > /dev/null
  [ "$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)" = "変更されています．設定を保存しますか？" ] &&
    e2e_pass "an import counts as a change" || e2e_fail "キャンセル after an import did not ask"
  ctl answer 7 > /dev/null
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null
}

test_program_and_contents() {
  e2e_sjis $'ファイルの中身\r\n2行目' contents.txt
  ctl select 2 > /dev/null
  ctl click 1011 > /dev/null &
  local clicking=$!
  e2e_file_dialog "ファイル名 参照 (ファイルを　ウインドウにドラッグ＆ドロップ) (さらに，用途をプログラム実行に変更)" contents.txt
  wait "$clicking"
  sleep 0.5
  [ "$(ctl combosel 1013)" = 2 ] && [ "$(e2e_editor_label 2)" = contents.txt ] &&
    [ "$(ctl gettext 1000 | iconv -f CP932 -t UTF-8)" = "$(e2e_winpath contents.txt)" ] &&
    e2e_pass "picking a file makes the item run it" ||
    e2e_fail "after 1011: mode $(ctl combosel 1013), label $(e2e_editor_label 2), content $(ctl gettext 1000)"
  ctl click 1017 > /dev/null &
  clicking=$!
  e2e_file_dialog "ファイルの中身を入力 (ファイルをShiftキーを押しながら　ウインドウにドラッグ＆ドロップ) " contents.txt
  wait "$clicking"
  sleep 0.5
  ctl gettext 1000 got-content.txt > /dev/null
  e2e_expect_bytes got-content.txt contents.txt "loading a file puts its bytes into the content"
  [ "$(ctl combosel 1013)" = 2 ] && e2e_pass "loading a file keeps the mode" || e2e_fail "mode $(ctl combosel 1013)"
}

test_folder_button() {
  ctl select 2 > /dev/null
  ctl click 1058 > /dev/null &
  local clicking=$!
  if e2e_wait_until 'e2e_winlist --class "#32770" --visible | grep -qv "Tolvane"' 5; then
    sleep 0.5
    e2e_key Escape
    e2e_pass "the folder button opens the folder browser"
  else
    e2e_fail "no folder browser after 1058"
  fi
  wait "$clicking"
  [ "$(e2e_editor_label 2)" = contents.txt ] && e2e_pass "cancelling the folder browser changes nothing" ||
    e2e_fail "the item changed: $(e2e_editor_label 2)"
}

test_fonts() {
  e2e_editor_menu_command 0 o s  # メニュー表示に使用するフォント
  e2e_wait_until 'e2e_winlist --class "#32770" --visible | grep -qv "Tolvane"' 5
  sleep 0.5
  e2e_key Return
  e2e_wait_until 'grep -q "^\[MenuFont\]" tv2.ini 2> /dev/null' 5 && e2e_pass "the menu font is written when chosen" ||
    e2e_fail "no [MenuFont] in tv2.ini"
  # The history edit window shows its text in the edit-field font too: once
  # another size is chosen, its letters stand where a fresh window puts them.
  ctl command 40006 > /dev/null
  ctl --title "$HISTORY_EDIT" wait-window > /dev/null || e2e_fail "no history edit window"
  printf 'WWWWWWWWWW' > wide.txt
  local before after reopened
  before=$(ninth_w)
  # "(&F)" is taken twice in その他: send the command as the menu would.
  ctl command 4 > /dev/null &
  local choosing=$!
  ctl --title "$FONT_DIALOG" wait-window > /dev/null || e2e_fail "no font dialog"
  printf 36 > size.txt
  ctl --title "$FONT_DIALOG" settext 1138 "$(e2e_winpath size.txt)" > /dev/null
  sleep 0.5
  e2e_key Return
  wait "$choosing"
  e2e_wait_until 'grep -q "^\[Font\]" tv2.ini 2> /dev/null' 5 && grep -q '^FaceName=' tv2.ini &&
    e2e_pass "the edit-field font is written when chosen" || e2e_fail "no [Font] in tv2.ini"
  after=$(ninth_w)
  ctl --title "$HISTORY_EDIT" close > /dev/null
  e2e_wait_until '! ctl --title "$HISTORY_EDIT" window > /dev/null 2>&1' 5
  ctl command 40006 > /dev/null
  ctl --title "$HISTORY_EDIT" wait-window > /dev/null
  reopened=$(ninth_w)
  [ "$after" != "$before" ] && [ "$after" = "$reopened" ] &&
    e2e_pass "the open history edit window takes the new font at once" ||
    e2e_fail "the ninth W of the history edit window: x $before, after the font was chosen $after, reopened $reopened"
  ctl --title "$HISTORY_EDIT" close > /dev/null
}

# ninth_w: x of the ninth W of a line of them in the history edit window's text
ninth_w() {
  ctl --title "$HISTORY_EDIT" settext 1000 "$(e2e_winpath wide.txt)" charpos 1000 9 | cut -d' ' -f1
}

test_history_inserted() {
  local text
  for text in 'one' $'a\r\n\r\nb' 'newest'; do
    printf '%s' "$text" > clip.txt
    e2e_clipboard --set clip.txt
    e2e_wait_until "grep -q $(printf '%q' "${text##*$'\n'}") clips.dat 2> /dev/null" 5
  done
  ctl select 3 command 1016 > /dev/null  # after the history item
  [ "$(e2e_editor_tree | awk -F'\t' '$1 ~ /^[0-9]+$/ && $1 >= 4 && $1 <= 6 { printf "%s|", $5 }')" = 'newest|a\r\n\r\nb|one|' ] &&
    e2e_pass "inserting the whole history adds one item per entry, newest first" ||
    e2e_fail "after 1016: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
  e2e_editor_menu_command 3 c r  # 履歴より文字を1行1項目として挿入
  e2e_wait_until '[ "$(e2e_winlist --class "#32768" --visible | wc -l)" -ge 2 ]' 5
  e2e_key 1
  e2e_wait_until '[ "$(e2e_editor_label 5)" = b ]' 5 && [ "$(e2e_editor_label 4)" = a ] &&
    e2e_pass "one item per line: the empty line makes none" || e2e_fail "after the per-line pick: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
  e2e_editor_menu_command 3 c o  # 履歴より文字を挿入
  e2e_wait_until '[ "$(e2e_winlist --class "#32768" --visible | wc -l)" -ge 2 ]' 5
  # The editor's window is wide: ㄱ (U+3131) reaches its menus whole, and is
  # not taken for "1", its low byte.
  local before
  before=$(e2e_editor_tree | cut -f1,5)
  e2e_type ㄱ
  sleep 0.5
  [ "$(e2e_editor_tree | cut -f1,5)" = "$before" ] && [ "$(e2e_winlist --class "#32768" --visible | wc -l)" -ge 2 ] &&
    e2e_pass "ㄱ typed in the history submenu picks nothing" ||
    e2e_fail "after ㄱ: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
  e2e_key 0
  e2e_wait_until '[ "$(e2e_editor_label 4)" = newest ]' 5 && e2e_pass "a history pick inserts that entry" ||
    e2e_fail "after the pick: $(e2e_editor_tree | cut -f1,5 | tr '\t\n' ': ')"
}

test_direct_edit() {
  ctl command 40009 > /dev/null
  e2e_wait_until 'e2e_winlist --class Notepad --visible | grep -q "menu.ini"' 10 &&
    e2e_pass "direct editing opens the data file in its program" || e2e_fail "no notepad with menu.ini"
  wine taskkill /im notepad.exe /f > /dev/null 2>&1
  ctl command 40010 > /dev/null
  ctl answer 2 > /dev/null
  sleep 1
  [ "$(e2e_winlist --class '#32770' --visible | grep -c "$(printf 'Tolvane (設定)' | iconv -f UTF-8 -t CP932)")" = 1 ] &&
    e2e_pass "ending direct editing and keeping the changes leaves one editor" || e2e_fail "not exactly one editor"
  ctl command 40010 > /dev/null
  ctl answer 7 > /dev/null
  ctl wait-window > /dev/null && [ -n "$(path_of Other)" ] && [ -z "$(path_of newest)" ] &&
    e2e_pass "ending direct editing opens a new editor on the data file" || e2e_fail "no fresh editor after 40010"
}

# A level of more entries than the tree shows at once (a page) shows its first
# page; a key past its end brings the next, and an import at its end, a sort
# and a save take every entry.
test_long_level() {
  local shown imported
  shown=$(seq -f $'\t0\tp%g\t\t0\t0\t0\t\t0' 1 2500)
  imported=$'0\tt1\t\t0\t0\t0\t\t0\n0\tt2\t\t0\t0\t0\t\t0'
  e2e_write_menu long.ini "${E2E_MENU_HEADER}1568	0	0
0	Many		0	16	0		0
{
$shown
}
0	After		0	0	0		0
"
  e2e_write_menu tail.ini "${E2E_MENU_HEADER}1568	0	0
$imported
"
  e2e_stop tolvane.exe
  e2e_start "$DESKTOP" tolvane.exe long.ini
  ctl wait-window > /dev/null || { e2e_fail "no editor for long.ini"; return 1; }
  ctl select 1/1000 > /dev/null
  e2e_click_in_rect "$(ctl itemrect 1/1000)"
  e2e_key Down
  e2e_wait_until '[ "$(ctl selected)" = 1/1001 ]' 5 && e2e_pass "Down from the last entry shown goes on into the next page" ||
    e2e_fail "after Down from 1/1000: $(ctl selected)"
  e2e_editor_menu_command 1 f i
  e2e_file_dialog "Tolvane２形式の構造ファイルより，現在選択中の位置に読み込みます．" tail.ini
  ctl select 1 command 40038 > /dev/null
  ctl click 1019 > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 10
  local sorted
  sorted=$({ seq -f 'p%g' 1 2500; printf 't1\nt2\n'; } | LC_ALL=C sort -r | sed $'s/.*/\t0\t&\t\t0\t0\t0\t\t0/')
  e2e_write_menu long.expected "${E2E_MENU_HEADER}1568	0	0
0	Many		0	16	0		0
{
$sorted
}
0	After		0	0	0		0
"
  e2e_expect_bytes long.ini long.expected "the whole level, with the import at its end, is sorted and saved"
}

e2e_start_tolvane "$DESKTOP" menu.ini
ctl wait-window > /dev/null || e2e_fail "the editor did not open"
test_exports
test_import
test_program_and_contents
test_folder_button
test_fonts
test_history_inserted
test_direct_edit
ctl click 2 > /dev/null
ctl answer 7 > /dev/null 2>&1
test_long_level
e2e_finish
