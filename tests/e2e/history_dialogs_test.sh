#!/usr/bin/env bash
# The clipboard history's two dialogs, opened from the settings editor. The
# settings dialog: its texts and the values it shows, a lowered count trimming
# clips.dat at once, the [Clip] keys written in their order, the count held to
# the 10000 ids the history has, the two menu layouts, a tv2.ini that cannot be
# written reported once, what it stored read back after a restart. The edit
# dialog, with the newest entry at the bottom and at the top: moves that follow
# the display, the label of an edited entry cut at 80 bytes, saving one entry,
# deletion written when it closes, Escape ignored, captures shown live, an erase
# emptying it, its size, splitter and place, and a place out of reach moved onto
# the screen. Screenshots of both land in
# WORK_PARENT/../screenshots.
# Usage: history_dialogs_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init history-dialogs "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)
DESKTOP=histdlg

e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1613	0	0
1	挨拶(&A)	おはよう	0	0	0		0
"
cp "$TOLVANE_EXE" .

SETTINGS='クリップボード履歴設定'
EDIT='クリップボード履歴 内容編集'
ctl() { e2e_editorctl "$@"; }
sctl() { e2e_editorctl --title "$SETTINGS" "$@"; }
hctl() { e2e_editorctl --title "$EDIT" "$@"; }
# A text for a field, from UTF-8, as a Windows path of its CP932 bytes.
text_file() { e2e_sjis "$2" "$1"; e2e_winpath "$1"; }

# copy UTF8_TEXT: another program puts the text on the clipboard
copy() { e2e_sjis "$1" clip.txt && e2e_clipboard --set clip.txt; }

# expect_clips DESCRIPTION ESCAPED_TEXT...: waits for clips.dat to hold them
expect_clips() {
  local what=$1; shift
  e2e_clips_file clips.expected "$@"
  e2e_wait_until 'cmp -s clips.dat clips.expected' 10
  e2e_expect_bytes clips.dat clips.expected "$what"
}

# The edit dialog's tree as "label|label|..." top to bottom, and the selected label.
labels() { e2e_editor_tree --title "$EDIT" | cut -f5 | paste -sd'|'; }
selected_label() { e2e_editor_tree --title "$EDIT" | awk -F'\t' '$3 == 1 { print $5 }'; }
select_label() {
  local path
  path=$(e2e_editor_tree --title "$EDIT" | awk -F'\t' -v l="$1" '$5 == l { print $1; exit }')
  [ -n "$path" ] && hctl select "$path" > /dev/null
}
# expect_labels DESCRIPTION LABELS [SELECTED]: waits for the tree to show them
expect_labels() {
  local want=$2 selected=${3-}
  e2e_wait_until '[ "$(labels)" = "$want" ] && { [ -z "$selected" ] || [ "$(selected_label)" = "$selected" ]; }' 5 &&
    e2e_pass "$1" || e2e_fail "$1: tree [$(labels)], selected [$(selected_label)]; expected [$want] [$selected]"
}
hist_text() { hctl gettext 1000 | iconv -f CP932 -t UTF-8; }

# clip_keys: the [Clip] section of tv2.ini, one "key=value" per line
clip_keys() { tr -d '\r' < tv2.ini | awk '/^\[/ { inside = ($0 == "[Clip]"); next } inside && NF'; }
# clip_keys_read WANT [PATTERN]: the keys (those matching PATTERN) on one line, once
# they read WANT or after 5 s: the program writes them as the dialog closes.
clip_keys_read() {
  local want=$1 pattern=${2:-.}
  e2e_wait_until '[ "$(clip_keys | grep -E "$pattern" | paste -sd" ")" = "$want" ]' 5
  clip_keys | grep -E "$pattern" | paste -sd' '
}

open_settings() {
  ctl post 40004 > /dev/null
  sctl wait-window > /dev/null || { e2e_fail "command 40004 opened no settings dialog"; return 1; }
}
open_edit_dialog() {
  ctl command 40006 > /dev/null
  hctl wait-window > /dev/null || { e2e_fail "command 40006 opened no edit dialog"; return 1; }
}
close_edit_dialog() {
  hctl close > /dev/null
  e2e_wait_until '! hctl window > /dev/null 2>&1' 5 || e2e_fail "the edit dialog did not close"
}

# save_one FILE WANT DESCRIPTION: "save one" (1014) on the selected entry,
# saved as FILE in the Save dialog; FILE must hold the bytes of WANT.
save_one() {
  hctl post 1014 > /dev/null
  if e2e_wait_until 'e2e_winlist --class "#32770" --visible | iconv -f CP932 -t UTF-8 | grep -q "1つをファイルに保存"' 10; then
    sleep 0.5
    e2e_type "$1"
    e2e_key Return
    e2e_wait_file "$1" 10
    e2e_expect_bytes "$1" "$2" "$3"
  else
    e2e_fail "$3: no Save dialog titled 1つをファイルに保存"
  fi
}

test_settings_dialog() {
  open_settings || return
  local texts missing=
  texts=$(sctl controls | iconv -f CP932 -t UTF-8 | cut -f9)
  for want in '履歴保持最大個数：' '設定上限10000' 'メニュー表示形式：' '表示範囲終了位置を明記しない時の' \
    '１メニューごとの表示上限個数：' '（ 0 にすると上限なし）' 'Tolvaneからの貼り付けは履歴に残さない' \
    '履歴追加する時の位置：' '(履歴から通常の項目へのクイック追加を含む)' '履歴に残す１データ上限のサイズ：' 'KB' \
    '終了時に履歴を自動消去する' '履歴の１つ１つにでる，キー割り当てルール' '数字 - アルファベットの順番' \
    'アルファベット - 数字の順番' '履歴からの貼り付けは履歴の先頭に移動させない' 'OK' 'キャンセル'; do
    grep -qxF -- "$want" <<< "$texts" || missing+=" [$want]"
  done
  [ -z "$missing" ] && e2e_pass "the settings dialog shows every text of its template" || e2e_fail "missing:$missing"
  local shown
  shown="$(sctl gettext 1000 gettext 1001 gettext 1002 gettext 1003 combosel 1032 combosel 1040 \
    checked 1039 checked 1041 checked 1046 checked 1051 | paste -sd' ')"
  [ "$shown" = "250 20 32 20 0 0 1 0 1 0" ] && [ "$(sctl controls | awk -F'\t' '$1 == 1001 { print $4 }')" = 0 ] &&
    e2e_pass "with no settings file it shows the defaults, 1001 disabled at 20" || e2e_fail "shown: [$shown]"
  e2e_park_pointer
  e2e_screenshot "$SHOTS/history-settings.png"

  sctl combo 1032 1 combo 1040 1 > /dev/null
  [ "$(sctl gettext 1032 gettext 1040 | iconv -f CP932 -t UTF-8 | paste -sd'|')" = '指定個数ごとに右に改行|最後' ] &&
    [ "$(sctl controls | awk -F'\t' '$1 == 1001 { print $4 }')" = 1 ] &&
    e2e_pass "the second layout enables the entries-per-column field" || e2e_fail "layout: $(sctl gettext 1032 gettext 1040)"
  sctl settext 1000 "$(text_file n1.txt 3)" settext 1001 "$(text_file n2.txt 12)" settext 1002 "$(text_file n3.txt 64)" \
    settext 1003 "$(text_file n4.txt 7)" check 1047 1 check 1039 0 check 1051 1 click 1 > /dev/null
  expect_clips "OK with counts 3 drops the two oldest entries from clips.dat at once" 'c5' 'c4' 'c3'
  local keys="counts=3 iMaxOneClipSize=64 iMaxOneOneSize=7 ClipToAddPos=1 bRevNumAndAbc=1 \
ret_counts=12 NoPastFromQS=0 bClearClipHistoryOnExit=0 bNoMovePasetFromClipboard=1"
  [ "$(clip_keys_read "$keys")" = "$keys" ] &&
    e2e_pass "OK writes the nine [Clip] keys in their order" || e2e_fail "[Clip]: $(clip_keys | paste -sd' ')"
}

test_settings_limits() {
  open_settings || return
  local shown
  shown="$(sctl gettext 1000 gettext 1001 combosel 1032 combosel 1040 checked 1047 checked 1039 | paste -sd' ')"
  [ "$shown" = "3 12 1 1 1 0" ] && e2e_pass "the dialog shows the values written last" || e2e_fail "shown: [$shown]"
  sctl combo 1032 0 combo 1040 0 > /dev/null
  [ "$(sctl gettext 1032 gettext 1040 | iconv -f CP932 -t UTF-8 | paste -sd'|')" = '通常(ひたすら縦にならべる)|先頭' ] &&
    e2e_pass "the lists' first entries" || e2e_fail "lists: $(sctl gettext 1032 gettext 1040)"
  sctl settext 1000 "$(text_file n.txt 20000)" settext 1002 "$(text_file kb.txt 3000000)" \
    settext 1003 "$(text_file cap.txt 99999)" click 1 > /dev/null
  local box
  box=$(sctl msgbox | iconv -f CP932 -t UTF-8)
  [ "$box" = $'Tolvane (設定)\t履歴保持最大個数は10000までです．10000にしました．' ] &&
    e2e_pass "counts 20000 is refused with a message" || e2e_fail "message box: [$box]"
  sctl answer 1 > /dev/null
  e2e_wait_until '! sctl window > /dev/null 2>&1' 5 || e2e_fail "the settings dialog stayed open"
  local keys="counts=10000 iMaxOneClipSize=3000000 iMaxOneOneSize=99999 ClipToAddPos=0 ret_counts=-1"
  [ "$(clip_keys_read "$keys" '^(counts|iMaxOne.*|ret_counts|ClipToAddPos)=')" = "$keys" ] &&
    e2e_pass "it is stored as 10000; the plain layout as ret_counts -1; the large sizes as typed" ||
    e2e_fail "[Clip]: $(clip_keys | paste -sd' ')"
}

# tv2.ini cannot be written (immutable): OK says so once, the file stays as it was.
test_settings_write_failure() {
  chattr +i tv2.ini 2> /dev/null || { e2e_pass "skipped: chattr cannot lock tv2.ini here"; return; }
  cp tv2.ini before-failed.ini
  open_settings && sctl click 1 > /dev/null
  local message second
  message=$(ctl msgbox | cut -f2 | iconv -f CP932 -t UTF-8)
  ctl answer 1 > /dev/null
  second=$(ctl msgbox 1 2> /dev/null | cut -f2 | iconv -f CP932 -t UTF-8)
  [ -z "$second" ] || ctl answer 1 > /dev/null
  chattr -i tv2.ini
  [ "$message" = "書き込みに失敗しました．" ] && [ -z "$second" ] &&
    e2e_pass "nine [Clip] keys that cannot be written are reported once" ||
    e2e_fail "messages: [$message] then [$second]"
  e2e_expect_bytes tv2.ini before-failed.ini "the failed write leaves tv2.ini as it was"
}

# ClipToAddPos=1: the newest entry at the bottom.
test_edit_newest_at_bottom() {
  open_edit_dialog || return
  [ "$(hctl controls | iconv -f CP932 -t UTF-8 | awk -F'\t' '$1 == 1034 || $1 == 1035 { print $9 }' | paste -sd'|')" = \
    '設定|項目追加は，文字をコピーするとできます．上限個数を無視します．' ] &&
    e2e_pass "the edit dialog's button and hint" || e2e_fail "controls: $(hctl controls | cut -f1,9 | tr '\n\t' '| ')"
  expect_labels "with ClipToAddPos 1 the newest entry is at the bottom" 'c3|c4|c5'
  select_label c4
  [ "$(hist_text)" = c4 ] && e2e_pass "the selected entry's text shows in the box" || e2e_fail "box: [$(hist_text)]"
  hctl click 1004 > /dev/null
  expect_labels "up moves it up on screen" 'c4|c3|c5' c4
  hctl click 1004 > /dev/null
  expect_labels "at the top it stays" 'c4|c3|c5' c4
  copy 'n1'
  expect_labels "a text copied meanwhile appears as the last item" 'c4|c3|c5|n1'
  expect_clips "up on screen was toward the back of the list" 'n1' 'c5' 'c3' 'c4'
  select_label c5
  hctl click 1005 > /dev/null
  expect_labels "down moves it down on screen" 'c4|c3|n1|c5' c5
  close_edit_dialog
  expect_clips "closing writes the moves to clips.dat" 'c5' 'n1' 'c3' 'c4'
}

# ClipToAddPos=0: the newest entry at the top.
test_edit_newest_at_top() {
  open_edit_dialog || return
  expect_labels "with ClipToAddPos 0 the newest entry is at the top" 'c5|n1|c3|c4'
  select_label n1
  hctl click 1005 > /dev/null
  expect_labels "down moves it down" 'c5|c3|n1|c4' n1
  hctl click 1004 click 1004 click 1004 > /dev/null
  expect_labels "up moves it up, and no further than the top" 'n1|c5|c3|c4' n1

  # Escaped, CR LF is 6 bytes; with 73 x the lead byte of 表 is byte 79.
  local xs long
  xs=$(printf 'x%.0s' {1..73})
  long="L1\\r\\n${xs}"
  hctl settext 1000 "$(text_file long.txt $'L1\r\n'"${xs}表yy")" > /dev/null
  expect_labels "an edited label is its first 80 bytes and ..., never half a character" "${long}...|c5|c3|c4" "${long}..."
  local il it
  read -r il it _ _ <<< "$(hctl itemrect 0)"
  e2e_click $((il + 10)) $((it + 4))  # the label runs on past the tree's right edge
  e2e_park_pointer
  e2e_wait_until '[ "$(hctl focus)" = 1003 ]' 5 || e2e_fail "a click on the entry left the focus on $(hctl focus)"
  e2e_screenshot "$SHOTS/history-edit.png"

  e2e_clips_file one.expected "${long}表yy"
  tail -c +5 one.expected > one.want  # the text alone: no count, no length
  save_one one.txt one.want "save one writes the entry's escaped text, nothing more"

  select_label c3
  hctl click 1006 > /dev/null
  expect_labels "deleting an entry selects the one after it" "${long}...|c5|c4" c4
  hctl select '#3' > /dev/null
  e2e_click_in_rect "$(hctl itemrect '#3')"
  e2e_key Delete
  expect_labels "Delete in the tree deletes; the last one gone, the one above is selected" "${long}...|c5" c5
  expect_clips "deletions wait for the dialog to close" 'c5' 'n1' 'c3' 'c4'

  e2e_sync_focus
  xdotool keydown Escape
  sleep 0.3
  xdotool keyup Escape
  sleep 1
  hctl window > /dev/null 2>&1 && e2e_pass "Escape does not close the dialog" || e2e_fail "Escape closed the dialog"
  copy 'live'
  expect_labels "a copied text appears at the top at once" "live|${long}...|c5"
  test_edit_unicode_entry
  ctl command 40003 > /dev/null
  ctl answer 6 > /dev/null
  expect_labels "erasing the history empties the open dialog" ''
  copy 'after'
  expect_labels "and it goes on showing captures" 'after'
  close_edit_dialog
  expect_clips "closing writes the history" 'after'
}

# An entry beyond code page 932 (copied as CF_UNICODETEXT) shows its characters
# in the text box, and "save one" writes it as UTF-8 with a byte-order mark;
# such characters typed into the box go into the entry.
test_edit_unicode_entry() {
  local wide='絵文字😀と𠮷野家と한국어'
  { printf '%s' "$wide" | iconv -f UTF-8 -t UTF-16LE; printf '\0\0'; } > wide.bin
  e2e_clipboard --set-format 13 "$(e2e_winpath wide.bin)"
  e2e_wait_until '[ "$(labels | cut -d"|" -f2)" = live ]' 5 || e2e_fail "the wide copy did not appear: [$(labels)]"
  hctl select 0 > /dev/null
  e2e_wait_until 'e2e_wintext --utf8 --hwnd "$(hctl window | cut -f1)" --get shown.txt && [ "$(cat shown.txt)" = "$wide" ]' 5 &&
    e2e_pass "the text box shows every character of the entry" || e2e_fail "text box: [$(cat shown.txt)]"
  e2e_screenshot "$SHOTS/history-edit-unicode.png"
  printf '\xEF\xBB\xBF%s' "$wide" > wide.want
  save_one wide.txt wide.want "save one writes such an entry as UTF-8 with a byte-order mark"
  # Typed on the keyboard, characters beyond code page 932 go into the entry whole.
  e2e_click_in_rect "$(hctl rect 1000)"
  e2e_key ctrl+End
  e2e_type 'é😀'
  wide+='é😀'
  e2e_wait_until '[ "$(hctl gettext-utf8 1000)" = "$wide" ]' 5 &&
    e2e_pass "é😀 typed into the text box arrive whole" || e2e_fail "text box: [$(hctl gettext-utf8 1000)]"
  printf '\xEF\xBB\xBF%s' "$wide" > typed.want
  save_one typed.txt typed.want "the entry keeps what was typed"
}

test_edit_window() {
  copy 'second'
  expect_clips "a capture after the dialog closed" 'second' 'after'
  open_edit_dialog || return
  local l t r b el et er eb
  read -r _ _ _ l t r b <<< "$(hctl window)"
  read -r el et er eb <<< "$(hctl rect 1000)"
  e2e_move $((r - 3)) $((b - 3))
  xdotool mousedown 1
  e2e_move $((r + 40)) $((b + 20))
  e2e_move $((r + 80)) $((b + 50))
  xdotool mouseup 1
  sleep 0.5
  local nl nt nr nb
  read -r _ _ _ nl nt nr nb <<< "$(hctl window)"
  read -r el2 et2 er2 eb2 <<< "$(hctl rect 1000)"
  [ $((nr - r)) -gt 0 ] && [ $((er2 - er)) = $((nr - r)) ] && [ $((eb2 - eb)) = $((nb - b)) ] &&
    e2e_pass "the text box grows with the window" ||
    e2e_fail "window $l,$t,$r,$b -> $nl,$nt,$nr,$nb; text box $el,$et,$er,$eb -> $el2,$et2,$er2,$eb2"
  e2e_move $((nr - 3)) $((nb - 3))
  xdotool mousedown 1
  e2e_move $((nr - 200)) $((nb - 150))
  e2e_move $((nr - 400)) $((nb - 300))
  xdotool mouseup 1
  sleep 0.5
  read -r _ _ _ nl nt nr nb <<< "$(hctl window)"
  [ $((nr - nl)) = $((r - l)) ] && [ $((nb - nt)) = $((b - t)) ] &&
    e2e_pass "it is never smaller than its template" || e2e_fail "window $((nr - nl))x$((nb - nt)), template $((r - l))x$((b - t))"

  local sl st sr sb tr tr2
  read -r sl st sr sb <<< "$(hctl rect 1027)"
  read -r _ _ tr _ <<< "$(hctl rect 1003)"
  e2e_move $(((sl + sr) / 2)) $(((st + sb) / 2))
  xdotool mousedown 1
  e2e_move $(((sl + sr) / 2 + 15)) $(((st + sb) / 2))
  e2e_move $(((sl + sr) / 2 + 30)) $(((st + sb) / 2))
  xdotool mouseup 1
  e2e_wait_until '[ "$(set -- $(hctl rect 1003); echo "$3")" != "$tr" ]' 5
  read -r _ _ tr2 _ <<< "$(hctl rect 1003)"
  [ $((tr2 - tr)) = 30 ] && e2e_pass "the splitter widens the tree" || e2e_fail "the tree grew by $((tr2 - tr))"
  read -r _ _ _ l t r b <<< "$(hctl window)"
  local offset=$((sl + 30 - l))
  ctl command 40005 > /dev/null  # the program ends and writes its settings
  e2e_wait_until '! e2e_running tolvane.exe' || e2e_fail "the program did not end"
  [ "$(clip_keys | grep -E '^(left|top|right|bottom|Maxed)=' | paste -sd' ')" = \
    "left=$l top=$t right=$r bottom=$b Maxed=0" ] &&
    e2e_pass "at the end the dialog's place is written to [Clip]" || e2e_fail "[Clip]: $(clip_keys | paste -sd' ')"
  e2e_start_tolvane "$DESKTOP"
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null
  open_edit_dialog || return
  read -r _ _ _ nl nt nr nb <<< "$(hctl window)"
  read -r sl _ _ _ <<< "$(hctl rect 1027)"
  [ "$nl $nt $nr $nb" = "$l $t $r $b" ] && [ $((sl - nl)) = "$offset" ] &&
    e2e_pass "after a restart it opens there, with its split" ||
    e2e_fail "opened at $nl,$nt,$nr,$nb (was $l,$t,$r,$b), splitter at $((sl - nl)), expected $offset"
  expect_labels "the history is back" 'second|after'
}

# What the settings dialog stored is what the next start reads.
test_settings_after_restart() {
  open_settings || return
  local shown
  shown="$(sctl gettext 1000 gettext 1002 gettext 1003 | paste -sd' ')"
  [ "$shown" = "10000 3000000 99999" ] && e2e_pass "after a restart the dialog shows the values it stored" ||
    e2e_fail "after a restart: [$shown]"
  sctl click 2 > /dev/null
}

# A place saved far off the screen (or on a monitor since unplugged) opens on
# the screen, at the same size, and that is the place written back; a split
# beyond the window's edge goes only as far as a drag could take it.
test_place_out_of_reach() {
  ctl command 40005 > /dev/null
  e2e_wait_until '! e2e_running tolvane.exe' || e2e_fail "the program did not end"
  local width height
  width=$(clip_keys | awk -F= '$1 == "right" { r = $2 } $1 == "left" { l = $2 } END { print r - l }')
  height=$(clip_keys | awk -F= '$1 == "bottom" { b = $2 } $1 == "top" { t = $2 } END { print b - t }')
  tr -d '\r' < tv2.ini | awk -v w="$width" -v h="$height" '
    /^\[/ { inside = ($0 == "[Clip]") }
    inside && /^left=/ { $0 = "left=-32768" } inside && /^top=/ { $0 = "top=-32768" }
    inside && /^right=/ { $0 = "right=" (w - 32768) } inside && /^bottom=/ { $0 = "bottom=" (h - 32768) }
    inside && /^sp=/ { $0 = "sp=-5000" }
    { printf "%s\r\n", $0 }' > tv2.moved && mv tv2.moved tv2.ini
  e2e_start_tolvane "$DESKTOP"
  e2e_start "$DESKTOP" tolvane.exe
  ctl wait-window > /dev/null
  open_edit_dialog || return
  local l t r b sl sr tl tr
  read -r _ _ _ l t r b <<< "$(hctl window)"
  [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ $((r - l)) = "$width" ] && [ $((b - t)) = "$height" ] &&
    e2e_pass "saved at -32768, the edit dialog opens on the screen at its size" ||
    e2e_fail "opened at $l,$t,$r,$b; saved size ${width}x$height"
  read -r sl _ sr _ <<< "$(hctl rect 1027)"
  read -r tl _ tr _ <<< "$(hctl rect 1003)"
  [ "$sl" -gt "$l" ] && [ "$tr" -gt "$tl" ] && e2e_pass "sp=-5000 leaves the splitter in the window and the tree there" ||
    e2e_fail "splitter $sl-$sr, tree $tl-$tr, window $l-$r"
  ctl command 40005 > /dev/null
  e2e_wait_until '! e2e_running tolvane.exe' || e2e_fail "the program did not end"
  local sp
  sp=$(clip_keys | awk -F= '$1 == "sp" { print $2 }')
  [ "$(clip_keys | grep -E '^(left|top|right|bottom)=' | paste -sd' ')" = "left=$l top=$t right=$r bottom=$b" ] &&
    [ "$sp" -gt -5000 ] && [ "$sp" -lt 0 ] &&
    e2e_pass "the place and the split it opened with are written back (sp=$sp)" || e2e_fail "[Clip]: $(clip_keys | paste -sd' ')"
}

e2e_start_tolvane "$DESKTOP"
for text in c1 c2 c3 c4 c5; do copy "$text"; done
expect_clips "five captured texts" c5 c4 c3 c2 c1
e2e_start "$DESKTOP" tolvane.exe
ctl wait-window > /dev/null || e2e_fail "a second start opened no editor"
test_settings_dialog
test_edit_newest_at_bottom
test_settings_limits
test_settings_write_failure
test_edit_newest_at_top
test_edit_window
test_settings_after_restart
test_place_out_of_reach
e2e_finish
