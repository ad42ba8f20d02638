#!/usr/bin/env bash
# Data files as users edit them: a menu saved as UTF-8, with a byte-order mark
# or without, is read as meant and saved back as code page 932 (a character it
# lacks in a content as its \u{hex} escape); a data file
# that cannot be read is set aside with a message that names it, the name it is
# kept under and why, while the program runs on. The message's screenshot lands
# in WORK_PARENT/../screenshots.
# Usage: data_files_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015  # e2e_pass never fails
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init data-files "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)
DESKTOP=datafiles
# No org_text.ini here or beside the program: a rejected file falls back to the built-in menu.
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }

# The menu as the program writes it, so that its code page 932 form is exactly
# what a save must give.
MENU="${E2E_MENU_HEADER}593	0	0
0	挨拶(&A)		0	16	0		0
{
	1	おはよう	おはようございます。\\r\\n表示・ソ～	0	0	0		0
}
3	-横線-		0	0	0		0
1	笑顔	\\u{1F600}	0	0	0		0
"
e2e_write_menu expected.ini "$MENU"

# utf8_menu FILE [BOM]: the menu in UTF-8 with CR LF, as an editor saves it: with
# 〜 as Mac and Linux editors write it, and 😀, which a content keeps as \u{1F600}.
utf8_menu() {
  local text=${MENU//～/〜}
  text=${text//'\u{1F600}'/😀}
  { [ -n "${2:-}" ] && printf '\xEF\xBB\xBF'; printf '%s' "${text//$'\n'/$'\r\n'}"; } > "$1"
}

# A data file named on the command line opens the editor at once.
test_utf8_file() {
  local file=$1 how=$2 content
  utf8_menu "$file" "${3:-}"
  e2e_start "$DESKTOP" tolvane.exe "$file"
  ctl wait-window > /dev/null || { e2e_fail "no editor for $file"; return; }
  [ "$(e2e_editor_label 1)|$(e2e_editor_label 1/1)|$(e2e_editor_label 2)" = '挨拶(&A)|おはよう|-横線-' ] &&
    e2e_pass "a UTF-8 file $how shows its entries as written" || e2e_fail "tree of $file: $(e2e_editor_tree)"
  ctl select 1/1 > /dev/null
  content=$(ctl gettext "$IDC_CONTENT" | utf8 | tr -d '\r')
  [ "$content" = $'おはようございます。\n表示・ソ～' ] && e2e_pass "and its content as meant" ||
    e2e_fail "content of 1/1: [$content]"
  ctl click "$IDC_OK" > /dev/null
  e2e_wait_until '! ctl window > /dev/null 2>&1' 5 || e2e_fail "the editor stayed open after OK"
  e2e_expect_bytes "$file" expected.ini "the next save writes $file as code page 932"
  e2e_stop tolvane.exe
}

# A display text code page 932 cannot hold: the file is set aside and the user is told.
test_set_aside() {
  utf8_menu tv2_text.ini
  printf '1\t笑顔\xF0\x9F\x98\x80\t\t0\t0\t0\t\t0\r\n' >> tv2_text.ini
  cp tv2_text.ini rejected.original
  local line box
  line=$(($(grep -c '' rejected.original)))
  e2e_start "$DESKTOP" tolvane.exe
  box=$(ctl msgbox | utf8) || { e2e_fail "no message about the set-aside file"; return; }
  e2e_screenshot "$SHOTS/data_file_set_aside.png"
  local file kept
  file=$(e2e_winpath "$E2E_WORK/tv2_text.ini")
  kept="$file.rejected"
  [[ "$box" == "Tolvane (設定)"$'\t'"データファイル「$file」を読み込めませんでした．"* ]] &&
    e2e_pass "the message names the data file" || e2e_fail "message: [$box]"
  [[ "$box" == *"「$kept」という名前で残しました．"* ]] && e2e_pass "and the name it is kept under" ||
    e2e_fail "kept name [$kept] missing: [$box]"
  [[ "$box" == *"理由：${line}行目にShift_JIS（コードページ932）で表せない文字があります．"* ]] &&
    e2e_pass "and why: line $line cannot be converted" || e2e_fail "reason for line $line missing: [$box]"
  e2e_winlist --class TV2 | grep -q . && e2e_pass "the program runs while the message is open" ||
    e2e_fail "no main window while the message is open"
  e2e_expect_bytes tv2_text.ini.rejected rejected.original "the file is kept byte for byte"
  ctl answer 1 > /dev/null && e2e_pass "OK closes the message" || e2e_fail "the message did not close"
}

IDC_CONTENT=$(awk '$2 == "IDC_CONTENT" {print $3}' "$E2E_LIB_DIR/../../res/resource.h")
IDC_OK=$(awk '$2 == "IDC_OK" {print $3}' "$E2E_LIB_DIR/../../res/resource.h")
test_utf8_file plain.ini "without a byte-order mark"
test_utf8_file bom.ini "with a byte-order mark" bom
test_set_aside
e2e_finish
