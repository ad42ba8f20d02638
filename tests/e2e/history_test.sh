#!/usr/bin/env bash
# The clipboard history as a user meets it: texts copied in Notepad land in
# clips.dat byte for byte (escaped, de-duplicated, bounded, size-limited, marked
# clips and our own phrases left out), history submenus paste their entries
# (ranges, the empty "なし" placeholder, keep-place or move-to-front), a right
# click adds an entry as a phrase, the erase item asks first, the history
# survives a restart unless it is volatile, and the viewer chain is forwarded;
# copies by the programs of ExcludeApps are left out, however long the list and
# also when made without an owner window; a bound beyond what the program can
# use never cuts the history short.
# Usage: history_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016,SC2034  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init history "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=history
SHOTS=$(realpath -m "$E2E_WORK/../../screenshots")
mkdir -p "$SHOTS" || exit 2

header=$E2E_MENU_HEADER
# Keys, all Ctrl+Alt (1536 +): R 82 the history, H 72 its entries 3 to 5,
# T 84 a range past the end, N 78 entry 2 alone, A 65 entries 1 and 2
# (quick-add target), P 80 a phrase, E 69 erase. The root: Ctrl+Alt+Space.
# menu_file QUICK_ADDED_LINES: the data file as the writer writes it, with
# these child lines (UTF-8, each ending in a newline) under 追加先.
menu_file() {
  local children=
  [ -n "$1" ] && children=$'{\n'"$1"$'}\n'
  local menu="${header}1568	0	0
7	履歴(&R)		1618	0	0		0
7	範囲(&H)	3\\r\\n5	1608	0	0		0
7	遠く(&T)	300	1620	0	0		0
7	二番目(&N)	2\\r\\n2	1614	0	0		0
7	追加先(&A)	1\\r\\n2	1601	0	0		0
${children}1	定型(&P)	定型文です	1616	0	0		0
11	消去(&E)		1605	0	0		0
"
  printf '%s' "${menu//$'\n'/$'\r\n'}" | iconv -f UTF-8 -t CP932
}
# A quick-added phrase: mode 1, the stored (escaped) text as its text, and its
# data, which is the unescaped text written escaped again.
added_line() { printf '\t1\t%s\t%s\t0\t0\t0\t\t0\n' "$1" "$1"; }

menu_file '' > tv2_text.ini
cp "$TOLVANE_EXE" .

# --- the history file -------------------------------------------------------

# expect_clips DESCRIPTION ESCAPED_TEXT...: waits for clips.dat to hold them
expect_clips() {
  local what=$1; shift
  e2e_clips_file clips.expected "$@"
  e2e_wait_until 'cmp -s clips.dat clips.expected' 10
  e2e_expect_bytes clips.dat clips.expected "$what"
}

# A clipboard change that is recorded for sure. Changes are handled in order,
# so once the barrier is in the file, anything an earlier change was going to
# record is there too: "nothing recorded" is checked as "only the barrier".
barrier() { e2e_sjis "$1" barrier.txt && e2e_clipboard --set barrier.txt; }
# copy_in_front UTF8_TEXT: the helper copies without an owner window, as scripts
# do, while a window of its own is in front
copy_in_front() { e2e_sjis "$1" front.txt && e2e_clipboard --set front.txt --in-front; }

# --- the programs -----------------------------------------------------------

# write_settings KEY=VALUE...: the [Clip] section of tv2.ini
write_settings() { { printf '[Clip]\r\n'; printf '%s\r\n' "$@"; } > tv2.ini; }

start_tolvane() {
  # Joining the chain shows the program the clipboard as it is: leave nothing there.
  e2e_clipboard --empty
  e2e_start "$DESKTOP" tolvane.exe
  e2e_wait_until 'e2e_winlist --class TV2 | grep -q .' ||
    e2e_fail "tolvane did not start (process running: $(e2e_running tolvane.exe && echo yes || echo no); windows: $(e2e_winlist | cut -f2 | tr '\n' ' '))"
}

stop_tolvane() {
  e2e_stop tolvane.exe || e2e_fail "tolvane did not stop"
}

# restart_with KEY=VALUE...: a new run of tolvane with these settings
restart_with() { stop_tolvane; write_settings "$@"; start_tolvane; }

focus_notepad() {
  e2e_click 300 300
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
}

# copy_in_notepad UTF8_TEXT: Notepad shows the text, all of it selected, and copies it
copy_in_notepad() {
  e2e_sjis "$1" copy.txt
  e2e_set_notepad_text copy.txt
  focus_notepad
  e2e_wintext --select 0 end > /dev/null
  e2e_key ctrl+c
}

# copy_in_notepad_utf8 UTF8_TEXT: the same through the wide functions, for
# characters code page 932 lacks
copy_in_notepad_utf8() {
  printf '%s' "$1" > copy.txt
  e2e_wintext --utf8 --set "$(e2e_winpath copy.txt)"
  focus_notepad
  e2e_wintext --select 0 end > /dev/null
  e2e_key ctrl+c
}

# unescape ESCAPED_UTF8: what pasting an entry inserts (the texts here use only \t \r \n \\)
unescape() { printf '%b' "$1"; }

# open_menu KEY: presses an item's key in Notepad and waits for its submenu (in $menu)
open_menu() {
  e2e_move 400 150
  e2e_key "$1"
  e2e_wait_until 'menu=$(e2e_menu_rect)' 10 || { e2e_fail "$1 opened no menu"; return 1; }
}

close_menus() {
  local _
  for _ in 1 2 3; do
    e2e_menu_rect > /dev/null || return 0
    e2e_key Escape
    e2e_wait_until '! e2e_menu_rect > /dev/null' 2 && return 0
  done
  e2e_fail "the menu did not close"
}

# pick KEY MNEMONIC ESCAPED_ENTRY DESCRIPTION: the entry typed in KEY's submenu
# lands in an empty Notepad
pick() {
  e2e_reset_notepad
  open_menu "$1" || return
  e2e_key "$2"
  e2e_expect_notepad "$(unescape "$3")" "$4"
}

# right_click_entry INDEX COUNT: a right click on entry INDEX (from 0) of the
# open submenu of COUNT entries of equal height
right_click_entry() {
  local l t r b
  read -r l t r b <<< "$menu"
  e2e_click $(((l + r) / 2)) $((t + (b - t) * (2 * $1 + 1) / (2 * $2))) 3
}

# --- phase 1: capture, with other clipboard viewers behind tolvane ---------------

# The chain: three viewers join before tolvane, so it runs tolvane, v2, v1, v0.
start_viewer() {
  e2e_clipboard --viewer "$(e2e_winpath "$1.log")" 120 &
  E2E_PIDS+=($!)
  e2e_wait_until "grep -q '^joined' $1.log 2>/dev/null" || e2e_fail "the clipboard viewer $1 did not join"
}
viewer_hwnd() { awk '$1 == "joined" {print $2}' "$1.log"; }
draws() { grep -c '^draw' "$1.log"; }
viewer_log() { tail -4 "$1.log" | tr '\n' '|'; }

# stop_viewer NAME: makes the viewer leave the chain
stop_viewer() {
  : > "$1.log.stop"
  e2e_wait_until "grep -qx left $1.log" 10 || e2e_fail "the viewer $1 did not leave: [$(viewer_log "$1")]"
}

test_capture() {
  local before
  before=$(draws v0)
  copy_in_notepad 'abc'
  expect_clips "a copy in notepad is stored as count 1, length 3, abc" 'abc'
  e2e_wait_until '[ "$(draws v0)" -gt "$before" ]' 5 &&
    e2e_pass "tolvane, first in the chain, passes the change on to the viewers behind it" ||
    e2e_fail "the viewers behind tolvane saw no change: [$(viewer_log v2)] [$(viewer_log v0)]"

  copy_in_notepad $'表\tb\r\nc'
  expect_clips "TAB and CR LF are stored as \\t and \\r\\n, the trail byte 0x5C of 表 as it is" \
    '表\tb\r\nc' 'abc'
  copy_in_notepad 'abc'
  expect_clips "copying the same text again leaves one entry, at the front" 'abc' '表\tb\r\nc'
  copy_in_notepad 'd'
  expect_clips "a third text makes three entries" 'd' 'abc' '表\tb\r\nc'
  copy_in_notepad 'e'
  expect_clips "with counts=3 a fourth distinct copy drops the oldest" 'e' 'd' 'abc'
}

test_size_limit() {
  local x1023 x1024
  x1023=$(printf 'x%.0s' {1..1023})
  x1024=${x1023}x
  e2e_sjis "$x1024" big.txt
  e2e_clipboard --set big.txt
  e2e_sjis "$x1023" big.txt
  e2e_clipboard --set big.txt
  expect_clips "with iMaxOneClipSize=1, 1024 bytes are refused and 1023 bytes recorded" "$x1023" 'e' 'd'
}

test_marked_clip() {
  e2e_sjis 'ひみつ' secret.txt
  e2e_clipboard --set secret.txt --mark-exclude
  barrier 'after secret'
  expect_clips "a clip marked ExcludeClipboardContentFromMonitorProcessing is not recorded" \
    'after secret' "$(printf 'x%.0s' {1..1023})" 'e'
}

test_phrase_left_out() {
  e2e_reset_notepad
  e2e_key ctrl+alt+p
  e2e_expect_notepad '定型文です' "the phrase's key pastes it"
  barrier 'after phrase'
  expect_clips "with NoPastFromQS on, a pasted phrase is not recorded" \
    'after phrase' 'after secret' "$(printf 'x%.0s' {1..1023})"
}

# Viewers leave from the middle, then tolvane's next one, then the last one.
test_viewers_leave() {
  stop_viewer v1
  grep -qx "changecbchain $(viewer_hwnd v1) $(viewer_hwnd v0)" v2.log &&
    e2e_pass "tolvane passes on the news of a viewer leaving further down the chain" ||
    e2e_fail "v2 did not hear that v1 left: [$(viewer_log v2)]"
  stop_viewer v2
  grep -qx "changecbchain $(viewer_hwnd v2) $(viewer_hwnd v0)" v0.log &&
    e2e_pass "when its next viewer leaves, tolvane takes the one after it and tells it" ||
    e2e_fail "v0 did not hear that v2 left: [$(viewer_log v0)]"
  local v0_seen
  v0_seen=$(draws v0)
  copy_in_notepad 'after v2'
  expect_clips "after viewers behind it left, tolvane still records copies" \
    'after v2' 'after phrase' 'after secret'
  e2e_wait_until '[ "$(draws v0)" -gt "$v0_seen" ]' 5 &&
    e2e_pass "and passes changes on to it" ||
    e2e_fail "v0 saw nothing after v2 left: [$(viewer_log v0)]"

  stop_viewer v0
  copy_in_notepad 'after viewers'
  expect_clips "alone in the chain, tolvane still records copies" \
    'after viewers' 'after v2' 'after phrase'
  e2e_winlist --class TV2 | grep -q . && e2e_pass "tolvane survives the viewers leaving" ||
    e2e_fail "tolvane is gone after the viewers left"
}

# erase_answer KEY: the erase item's key, then KEY in the warning box
erase_answer() {
  e2e_key ctrl+alt+e
  local box
  box=$(e2e_wait_window '#32770') || { e2e_fail "the erase item showed no warning box"; return 1; }
  [ "$(cut -f9 <<< "$box" | iconv -f CP932 -t UTF-8)" = 'Tolvane (設定)' ] &&
    e2e_pass "the erase item asks in a box titled Tolvane (設定)" || e2e_fail "warning box: [$box]"
  e2e_key "$1"
  e2e_wait_no_window '#32770' || e2e_fail "the warning box stayed open after $1"
}

test_erase() {
  focus_notepad
  erase_answer n || return
  barrier 'kept'
  expect_clips "answering n to the warning keeps the history" 'kept' 'after viewers' 'after v2'
  focus_notepad
  erase_answer y || return
  expect_clips "answering y erases it: clips.dat is 00 00"
  barrier 'again'
  expect_clips "a capture after the erase starts a new history" 'again'
  focus_notepad
  erase_answer Return || return
  expect_clips "Return, on the default button, erases it too"
}

# --- phase 2: menus, with bNoMovePasetFromClipboard=1 ---------------------------

# Six entries, newest first, in their stored (escaped) form.
E1='一番\t新しい'
E2='二番 ソ表\\パス'
E3='三番\r\n改行'
E4='四番'
E5='五番 end'
E6='六番'

# shot_with_last_entry RECT COUNT FILE: a screenshot in FILE, taken once text
# shows in the last of the COUNT owner-drawn entries in RECT
# shellcheck disable=SC2317  # called by a wait condition
shot_with_last_entry() {
  local l t r b height
  read -r l t r b <<< "$1"
  height=$(((b - t) / $2))
  e2e_screenshot "$3" &&
    [ "$(convert "$3" -crop "$((r - l - 40))x$((height - 4))+$((l + 24 + E2E_DESKTOP_X))+$((b - height + E2E_DESKTOP_Y))" \
      -format %k info:)" -gt 1 ]
}

test_history_menu() {
  e2e_reset_notepad
  open_menu ctrl+alt+r || return
  e2e_wait_until 'shot_with_last_entry "$menu" 6 "$SHOTS/history.png"' 5 &&
    echo "screenshot: $SHOTS/history.png" || e2e_fail "the history menu's last entry was not drawn"
  e2e_key 0
  e2e_expect_notepad "$(unescape "$E1")" "typing 0 in the history pastes the newest entry (a TAB inside)"
  pick ctrl+alt+r 2 "$E3" "typing 2 pastes the third entry, CR LF restored"
  pick ctrl+alt+r 1 "$E2" "typing 1 pastes the second entry, trail bytes and a backslash intact"
}

test_ranges() {
  local three none
  pick ctrl+alt+h 0 "$E3" "a range 3 to 5 labels entry 3 with 0"
  three=$menu
  pick ctrl+alt+h 2 "$E5" "and entry 5 with 2"

  e2e_reset_notepad
  open_menu ctrl+alt+t || return
  none=$menu
  local t3 b3 t b
  read -r _ t3 _ b3 <<< "$three"
  read -r _ t _ b <<< "$none"
  [ $((2 * (b - t))) -lt $((b3 - t3)) ] &&
    e2e_pass "a range past the end shows one entry ($none, three entries: $three)" ||
    e2e_fail "the range past the end is $none high, three entries are $three"
  e2e_key 0
  e2e_key Return
  close_menus
  # What "なし" might have pasted would come before this.
  pick ctrl+alt+r 0 "$E1" "typing 0 and Return on \"なし\" pastes nothing"
}

test_quick_add_front() {
  e2e_reset_notepad
  open_menu ctrl+alt+a || return
  right_click_entry 1 2
  { menu_file "$(added_line "$E2")"$'\n'; } > data.expected
  e2e_wait_until 'cmp -s tv2_text.ini data.expected' 10
  e2e_expect_bytes tv2_text.ini data.expected \
    "a right click adds entry 2 as the first phrase under its history item (ClipToAddPos=0)"
  close_menus
}

test_kept_in_place() {
  barrier 'B'
  expect_clips "with bNoMovePasetFromClipboard=1 every pasted entry kept its place" \
    'B' "$E1" "$E2" "$E3" "$E4" "$E5" "$E6"
  # A paste caused by the right click would have come before the barrier.
  e2e_notepad_text notepad.txt
  [ ! -s notepad.txt ] && e2e_pass "the right click pasted nothing" || e2e_fail "notepad: [$(e2e_show notepad.txt)]"
}

# --- phase 3: after a restart, with bNoMovePasetFromClipboard=0 and NoPastFromQS=0

test_restart_and_move() {
  pick ctrl+alt+r 0 'B' "after a restart typing 0 pastes the newest entry of the last run"
  pick ctrl+alt+r 2 "$E2" "typing 2 pastes the third entry"
  expect_clips "with bNoMovePasetFromClipboard=0 the pasted entry moves to the front" \
    "$E2" 'B' "$E1" "$E3" "$E4" "$E5" "$E6"
  e2e_reset_notepad
  e2e_key ctrl+alt+p
  e2e_expect_notepad '定型文です' "the phrase's key pastes it"
  expect_clips "with NoPastFromQS=0 the pasted phrase is recorded" \
    '定型文です' "$E2" 'B' "$E1" "$E3" "$E4" "$E5" "$E6"
}

# --- phase 4: ClipToAddPos=1 and bClearClipHistoryOnExit=1 ---------------------

test_quick_add_end() {
  e2e_reset_notepad
  # Newest at the bottom: E2 (label 0), then 定型文です (label 1), then the phrase added before.
  open_menu ctrl+alt+a || return
  right_click_entry 1 3
  { menu_file "$(added_line "$E2")"$'\n'"$(added_line '定型文です')"$'\n'; } > data.expected
  e2e_wait_until 'cmp -s tv2_text.ini data.expected' 10
  e2e_expect_bytes tv2_text.ini data.expected "with ClipToAddPos=1 a right click adds the entry as the last phrase"
  close_menus
}

# While the editor is open a right click adds nothing: its save would write
# over the phrase.
test_quick_add_while_editing() {
  cp tv2_text.ini before-editing.ini
  e2e_start "$DESKTOP" tolvane.exe
  e2e_editorctl wait-window > /dev/null || { e2e_fail "no editor for the right click"; return 1; }
  open_menu ctrl+alt+a || return
  right_click_entry 0 4  # two entries, then the two phrases added above
  [ "$(e2e_editorctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)" = "設定画面が出ている時は追加を行えません" ] &&
    e2e_pass "with the editor open a right click on an entry says it cannot add" || e2e_fail "no message for the right click"
  e2e_editorctl answer 1 > /dev/null
  close_menus
  e2e_expect_bytes tv2_text.ini before-editing.ini "with the editor open the right click leaves the data file as it was"
  e2e_editorctl click 2 > /dev/null
  e2e_wait_until '! e2e_editorctl window > /dev/null 2>&1' 5 || e2e_fail "the editor did not close"
}

test_volatile_history() {
  [ -e clips.dat ] && e2e_pass "clips.dat is still there before the first capture" || e2e_fail "clips.dat gone too early"
  copy_in_notepad 'volatile'
  e2e_wait_until '[ ! -e clips.dat ]' 10 && e2e_pass "with bClearClipHistoryOnExit=1 a capture deletes clips.dat" ||
    e2e_fail "clips.dat still there: [$(e2e_show clips.dat)]"
  # Newest at the bottom: of the nine entries "volatile" has the label 8.
  pick ctrl+alt+r 8 'volatile' "the volatile history still serves the menu"
}

# --- phase 5: bounds an older copy or a hand edit wrote --------------------------

# entry_count: the 16-bit count at the head of clips.dat
entry_count() { od -An -tu2 -N2 clips.dat 2> /dev/null | tr -d ' '; }

# expect_entries COUNT DESCRIPTION: after a copy, clips.dat holds COUNT entries
expect_entries() {
  barrier "copy $1"
  e2e_wait_until "[ \"\$(entry_count)\" = $1 ]" 10 && e2e_pass "$2" || e2e_fail "$2: $(entry_count) entries"
}

test_bounds_kept() {
  local entries=() i
  for i in $(seq 600); do entries+=("entry $i"); done
  stop_tolvane
  e2e_clips_file clips.dat "${entries[@]}"
  write_settings counts=20000
  start_tolvane
  expect_entries 601 "counts=20000, beyond the 10000 the history holds, keeps all 600 entries and the copy"
  restart_with counts=-5
  expect_entries 602 "counts=-5 means no bound"
  restart_with counts=10
  expect_entries 10 "counts=10 still cuts the history to 10"
}

# --- phase 6: texts beyond code page 932 ------------------------------------

WIDE='絵文字😀と𠮷野家と한국어'

test_unicode_capture() {
  copy_in_notepad_utf8 "$WIDE"
  expect_clips "clips.dat keeps a text beyond code page 932 in its code page 932 form" '絵文字??と??野家と???'
  [ -s clips.u8 ] && grep -q "$WIDE" clips.u8 && e2e_pass "clips.u8 keeps its whole text" ||
    e2e_fail "clips.u8: [$(e2e_show clips.u8)]"
  e2e_reset_notepad
  open_menu ctrl+alt+r || return
  e2e_wait_until 'shot_with_last_entry "$menu" 1 "$SHOTS/history-unicode.png"' 5 &&
    echo "screenshot: $SHOTS/history-unicode.png" || e2e_fail "the entry beyond code page 932 was not drawn"
  e2e_key 0
  e2e_expect_notepad_utf8 "$WIDE" "pasting it from the history gives back every character"
}

test_unicode_after_restart() {
  e2e_reset_notepad
  open_menu ctrl+alt+r || return
  e2e_key 0
  e2e_expect_notepad_utf8 "$WIDE" "after a restart the entry still pastes every character"
  copy_in_notepad 'volatile again'
  e2e_wait_until '[ ! -e clips.dat ] && [ ! -e clips.u8 ]' 10 &&
    e2e_pass "the volatile setting removes clips.u8 with clips.dat" || e2e_fail "files left: $(ls clips.*)"
}

# --- phase 7: a copied "&" -------------------------------------------------------

# entry_ink_width RECT COUNT INDEX SHOT: how wide the text drawn in entry INDEX
# (from 0) of the COUNT entries of the menu at RECT is, in the screenshot SHOT
entry_ink_width() {
  local l t r b height
  read -r l t r b <<< "$1"
  height=$(((b - t) / $2))
  e2e_ink_width "$4" "$((l + 24)) $((t + $3 * height + 2)) $((r - 4)) $((t + ($3 + 1) * height - 2))"
}

# The history holds "QAの資料", then "Q&Aの資料": each is entry 0 of its menu,
# "0: QAの資料" in the history's, "0: Q&Aの資料" in 二番目's, where the "&" must
# show rather than underline the A.
test_ampersand_entry() {
  local plain with shot
  shot="$SHOTS/history-ampersand.png"
  e2e_reset_notepad
  open_menu ctrl+alt+r || return
  e2e_wait_until 'shot_with_last_entry "$menu" 2 plain.png' 5 || e2e_fail "the history menu was not drawn"
  plain=$(entry_ink_width "$menu" 2 0 plain.png)
  close_menus
  open_menu ctrl+alt+n || return
  e2e_wait_until 'shot_with_last_entry "$menu" 1 "$shot"' 5 && echo "screenshot: $shot" ||
    e2e_fail "the entry holding \"&\" was not drawn"
  with=$(entry_ink_width "$menu" 1 0 "$shot")
  [ $((with - plain)) -ge 4 ] &&
    e2e_pass "an entry copied as \"Q&Aの資料\" shows its \"&\" (${with} pixels wide, \"QAの資料\" ${plain})" ||
    e2e_fail "\"Q&Aの資料\" is drawn ${with} pixels wide, \"QAの資料\" ${plain}: the \"&\" does not show"
  e2e_key 0
  e2e_expect_notepad 'Q&Aの資料' "its number, 0, still picks it, and it pastes as copied"
}

# --- phase 8: programs whose copies are not recorded ---------------------------

# With a list of names longer than 2,047 bytes whose last one is Notepad.
test_excluded_long_list() {
  copy_in_notepad 'copied in notepad'
  e2e_wait_until '[ "$(e2e_clipboard --get -)" = "copied in notepad" ]' 5 ||
    e2e_fail "Notepad's copy did not reach the clipboard"
  copy_in_front 'after notepad'
  expect_clips "a copy in Notepad, the last name of an ExcludeApps list longer than 2,047 bytes, is not recorded" \
    'after notepad'
  focus_notepad
  e2e_sjis 'ownerless, notepad in front' ownerless.txt && e2e_clipboard --set ownerless.txt
  copy_in_front 'after ownerless'
  expect_clips "a copy made without an owner window while Notepad is in front counts as Notepad's" \
    'after ownerless' 'after notepad'
}

# With ExcludeApps=clipboard.exe, the helper that copies without an owner window.
test_excluded_without_owner() {
  copy_in_front 'ownerless, its own window in front'
  copy_in_notepad 'after the helper'
  expect_clips "a copy made without an owner window while the listed program's window is in front is not recorded" \
    'after the helper' 'after ownerless' 'after notepad'
}

write_settings counts=3 iMaxOneClipSize=1
e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || { e2e_fail "notepad did not open"; e2e_finish; }
e2e_clipboard --empty
start_viewer v0
start_viewer v1
start_viewer v2
start_tolvane
test_capture
test_size_limit
test_marked_clip
test_phrase_left_out
test_viewers_leave
test_erase

stop_tolvane
e2e_clips_file clips.dat "$E1" "$E2" "$E3" "$E4" "$E5" "$E6"
restart_with bNoMovePasetFromClipboard=1
test_history_menu
test_ranges
test_quick_add_front
test_kept_in_place

restart_with bNoMovePasetFromClipboard=0 NoPastFromQS=0
test_restart_and_move

restart_with ClipToAddPos=1 bClearClipHistoryOnExit=1
test_quick_add_end
test_quick_add_while_editing
test_volatile_history

restart_with
test_unicode_capture
restart_with bClearClipHistoryOnExit=1
test_unicode_after_restart

stop_tolvane
e2e_clips_file clips.dat 'QAの資料' 'Q&Aの資料'
write_settings
start_tolvane
test_ampersand_entry

stop_tolvane
rm -f clips.dat
write_settings "ExcludeApps=$(e2e_long_program_list notepad.exe)"
start_tolvane
test_excluded_long_list
restart_with ExcludeApps=clipboard.exe
test_excluded_without_owner

# Last: it writes its own clips.dat and leaves hundreds of entries behind.
test_bounds_kept

e2e_finish
