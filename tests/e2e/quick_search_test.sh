#!/usr/bin/env bash
# The quick search: its key opens "Tolvane 検索" at Notepad's caret; a few typed
# letters of a phrase's name and Enter insert the phrase byte for byte; a history
# entry found by a piece of its text is pasted; Escape gives the focus back with
# nothing inserted; Ctrl+A selects the query; the editor's その他 menu opens it too, and a taken key is
# reported; a history entry holding characters code page 932 lacks is found by
# kanji and by Hangul, set or typed; texts are listed as they are ("&" shows).
# Leaves pictures of the window with Japanese results.
# Usage: quick_search_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init quick_search "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=qsearch

# write_menu [KEY]: phrases in nested folders, メール署名 with the key KEY (vk
# form, none by default). The search key is the default Ctrl+Alt+F.
write_menu() {
  e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1568	0	0
0	挨拶(&A)		0	16	0		0
{
	0	社外		0	16	0		0
	{
		1	お礼メール(&O)	いつもお世話になっております。\\r\\nありがとうございました。	0	0	0		0
		1	Greeting カード	拝啓　ソ表\\\\パス	0	0	0		0
	}
	1	メール署名	トルベーン株式会社\\r\\n営業部	${1:-0}	0	0		0
}
3	-横線-		0	0	0		0
1	お詫びメール	申し訳ございません。	0	0	0		0
8	日付(&R)		0	0	0		0
1	付日(R)		0	0	0		0
"
}
write_menu
e2e_clips_file clips.dat 'メールアドレス taro@example.jp' '議事録 notes-42\r\n2行目' 'Q&Aの資料' 'QAの資料'
cp "$TOLVANE_EXE" .

# open_search: the key in Notepad, then the window in front with its field focused
open_search() {
  e2e_key ctrl+alt+f
  e2e_wait_until '[ "$(e2e_foreground_class)" = TolvaneSearch ] && [ "$(e2e_focus_class)" = Edit ]' ||
    { e2e_fail "the search window did not open: $(e2e_focusinfo)"; return 1; }
}

test_opens_at_caret() {
  e2e_reset_notepad
  open_search || return
  local line title l t notepad el et
  line=$(e2e_winlist --class TolvaneSearch --visible | head -1)
  title=$(cut -f9 <<< "$line" | iconv -f CP932 -t UTF-8)
  [ "$title" = "Tolvane 検索" ] && e2e_pass "the search key opens \"$title\"" || e2e_fail "window title [$title]"
  read -r l t <<< "$(cut -f5,6 <<< "$line" | tr '\t' ' ')"
  notepad=$(e2e_winlist --class Notepad --visible | head -1 | cut -f1)
  read -r el et <<< "$(e2e_winlist --children "$notepad" | awk -F'\t' '$2 == "Edit" {print $5, $6; exit}')"
  [ -n "$el" ] && [ "$l" -ge "$el" ] && [ "$l" -le $((el + 20)) ] && [ "$t" -gt "$et" ] && [ "$t" -le $((et + 60)) ] &&
    e2e_pass "it opens below the caret ($l,$t; edit control at $el,$et)" ||
    e2e_fail "window at ($l,$t), edit control at ($el,$et)"
  e2e_key ctrl+alt+f
  e2e_wait_until '[ "$(e2e_foreground_class)" = Notepad ]' && e2e_wait_no_window TolvaneSearch &&
    e2e_pass "a second press closes it and gives the focus back" || e2e_fail "after a second press: $(e2e_focusinfo)"
}

# find_and_insert QUERY EXPECTED_UTF8 DESCRIPTION
find_and_insert() {
  e2e_reset_notepad
  open_search || return
  e2e_type "$1"
  sleep 0.3  # the list follows each keystroke; Enter goes into the same queue anyway
  e2e_key Return
  e2e_expect_notepad "$2" "$3"
  e2e_wait_until '[ "$(e2e_foreground_class)" = Notepad ]' && e2e_pass "the focus is back in notepad" ||
    e2e_fail "focus after Enter: $(e2e_focusinfo)"
}

test_escape_inserts_nothing() {
  e2e_reset_notepad
  open_search || return
  e2e_type greet
  e2e_key Escape
  e2e_wait_until '[ "$(e2e_foreground_class)" = Notepad ] && [ "$(e2e_focus_class)" = Edit ]' &&
    e2e_pass "Escape gives the focus back to notepad's edit control" || e2e_fail "focus after Escape: $(e2e_focusinfo)"
  e2e_wait_no_window TolvaneSearch && e2e_pass "Escape closes the window" || e2e_fail "the window stayed open"
  sleep 1  # a paste would have come by now
  e2e_expect_notepad "" "nothing is inserted after Escape"
}

# query_replaced_after_select_all WHERE: in the open window, Ctrl+A selects
# what was typed, so the next letters replace it; Escape closes the window.
query_replaced_after_select_all() {
  e2e_type zzz
  e2e_key ctrl+a
  e2e_type greet
  e2e_wait_until '[ "$(e2e_wintext --class TolvaneSearch --get -)" = greet ]' 5 &&
    e2e_pass "Ctrl+A in the query $1 selects it, and typing replaces it" ||
    e2e_fail "the query $1 holds [$(e2e_wintext --class TolvaneSearch --get -)] after Ctrl+A and greet"
  e2e_key Escape
  e2e_wait_no_window TolvaneSearch
}

test_select_all() {
  e2e_reset_notepad
  open_search || return
  query_replaced_after_select_all "(opened over Notepad)"
}

# Japanese results: "めーる" in hiragana finds the katakana メール in texts,
# contents and the history. The picture goes to docs/ by hand once looked at.
test_screenshot() {
  e2e_reset_notepad
  open_search || return
  e2e_sjis 'めーる' query.txt
  e2e_wintext --class TolvaneSearch --set "$(e2e_winpath query.txt)" >/dev/null
  sleep 1
  local shot; shot="$(e2e_screenshots_dir)/quick-search.png"
  e2e_screenshot "$shot" && e2e_pass "screenshot: $shot" || e2e_fail "no screenshot"
  e2e_key Escape
}

# row_ink_width QUERY SHOT: the query in the open search window, then how wide
# the first line of the first result row is drawn (its icon left out), in the
# screenshot SHOT. The rows compared here have no second line.
row_ink_width() {
  local search l t r b
  e2e_sjis "$1" query.txt
  e2e_wintext --class TolvaneSearch --set "$(e2e_winpath query.txt)" > /dev/null
  sleep 1
  e2e_screenshot "$2"
  search=$(e2e_winlist --class TolvaneSearch --visible | head -1 | cut -f1)
  read -r l t r b <<< "$(e2e_winlist --children "$search" | awk -F'\t' '$2 == "ListBox" {print $5, $6, $7, $8; exit}')"
  e2e_ink_width "$2" "$((l + 23)) $((t + 4)) $((r - 4)) $((t + 26))"
}

# The list draws texts as they are: a history entry "Q&Aの資料" shows its "&",
# and a date item named "日付(&R)" shows "日付(R)" as any other item shows its
# name without the mnemonic, as wide as a phrase named "付日(R)".
test_texts_as_they_are() {
  local date phrase with plain shot
  e2e_reset_notepad
  open_search || return
  shot="$(e2e_screenshots_dir)/quick-search-ampersand.png"
  date=$(row_ink_width 日付 date.png)
  phrase=$(row_ink_width 付日 phrase.png)
  [ "$date" -ge $((phrase - 1)) ] && [ "$date" -le $((phrase + 1)) ] &&
    e2e_pass "a date item named 日付(&R) is listed without its \"&\" (${date} pixels wide, 付日(R) ${phrase})" ||
    e2e_fail "the date item 日付(&R) is drawn ${date} pixels wide, the phrase 付日(R) ${phrase}"
  with=$(row_ink_width 'Q&A' "$shot")
  plain=$(row_ink_width 'QAの' plain.png)
  [ $((with - plain)) -ge 4 ] &&
    e2e_pass "the history entry \"Q&Aの資料\" is listed with its \"&\" (${with} pixels wide, \"QAの資料\" ${plain}): $shot" ||
    e2e_fail "\"Q&Aの資料\" is drawn ${with} pixels wide, \"QAの資料\" ${plain}: the \"&\" does not show"
  e2e_key Escape
}

# A copied text holding 😀, 𠮷 and Hangul is found by "野家" and by "한국"; the
# query is set through the wide message, as an IME leaves it, and the field's
# change notification runs the search. Enter pastes the entry whole.
test_unicode_entry() {
  local wide='絵文字😀と𠮷野家と한국어' query shot
  e2e_reset_notepad
  printf '%s' "$wide" > wide.txt
  e2e_wintext --utf8 --set "$(e2e_winpath wide.txt)"
  e2e_wintext --select 0 end > /dev/null
  e2e_key ctrl+c
  sleep 1  # the history records the copy
  for query in 野家 한국; do
    e2e_reset_notepad
    open_search || return
    printf '%s' "$query" > query.txt
    e2e_wintext --class TolvaneSearch --utf8 --set "$(e2e_winpath query.txt)" > /dev/null
    sleep 1
    if [ "$query" = 한국 ]; then
      shot="$(e2e_screenshots_dir)/quick-search-unicode.png"
      e2e_screenshot "$shot" && e2e_pass "screenshot: $shot" || e2e_fail "no screenshot"
    fi
    e2e_key Return
    e2e_expect_notepad_utf8 "$wide" "\"$query\" finds the entry holding 😀 and Hangul, pasted whole"
  done
}

# Typed on the keyboard (xdotool maps a spare key to each character, which
# Wine hands on as WM_CHAR), 😀, 𠮷 and Hangul reach the query whole and find
# the entry holding them.
test_typed_query() {
  local wide='絵文字😀と𠮷野家と한국어' query
  for query in 😀 𠮷 한국어; do
    e2e_reset_notepad
    open_search || return
    e2e_type "$query"
    e2e_wait_until '[ "$(e2e_wintext --class TolvaneSearch --utf8 --get -)" = "$query" ]' 5 &&
      e2e_pass "\"$query\" typed into the query arrives whole" ||
      e2e_fail "the query holds [$(e2e_wintext --class TolvaneSearch --utf8 --get -)]"
    e2e_key Return
    e2e_expect_notepad_utf8 "$wide" "typed \"$query\" finds the entry holding it"
  done
}

test_editor_entry() {
  e2e_editorctl --class TV2 post 110 >/dev/null
  e2e_editorctl wait-window >/dev/null || { e2e_fail "the settings editor did not open"; return; }
  e2e_editorctl post 40050 >/dev/null  # その他 > クイック検索
  e2e_wait_until '[ "$(e2e_foreground_class)" = TolvaneSearch ] && [ "$(e2e_focus_class)" = Edit ]' &&
    e2e_pass "the editor's その他 menu opens the search window" || e2e_fail "no search window: $(e2e_focusinfo)"
  # The editor's own Ctrl+A (and its other keys) stay in the editor.
  query_replaced_after_select_all "opened from the editor"
  e2e_editorctl close >/dev/null
}

# An item that already has Ctrl+Alt+F keeps it; the search says so once, at start.
test_taken_key() {
  e2e_stop tolvane.exe
  write_menu 1606
  e2e_start_tolvane "$DESKTOP"
  local box
  box=$(e2e_editorctl msgbox 10 | iconv -f CP932 -t UTF-8)
  [[ $box == *"Ctrl+Alt+F"*"[Search]"* ]] && e2e_pass "a taken search key is reported: ${box//$'\r\n'/ }" ||
    e2e_fail "message box: [$box]"
  e2e_key Return
  e2e_reset_notepad
  e2e_key ctrl+alt+f
  e2e_expect_notepad $'トルベーン株式会社\r\n営業部' "the item keeps its key"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad >/dev/null || { e2e_fail "notepad did not open"; e2e_finish; }
e2e_clipboard --empty
e2e_start_tolvane "$DESKTOP"

test_opens_at_caret
find_and_insert greet '拝啓　ソ表\パス' "typing part of a phrase's name and Enter inserts the phrase"
find_and_insert 'notes-42' $'議事録 notes-42\r\n2行目' "a history entry found by a piece of its text is pasted"
test_escape_inserts_nothing
test_select_all
test_screenshot
test_texts_as_they_are
test_unicode_entry
test_typed_query
test_editor_entry
test_taken_key

e2e_finish
