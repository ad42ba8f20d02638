#!/usr/bin/env bash
# What an insertion does to the clipboard: the user's clipboard (text, or a
# bitmap with no text) is given back once the target has the phrase, and the
# copy given back is neither recorded nor pasted; the phrase carries the marks
# that keep it out of other clipboard histories, while our own history still
# follows NoPastFromQS; an enclose with nothing selected leaves the caret
# between its strings; a phrase holding 1 MB of clipboard text (%%c) gets all of
# it, and the 1 MB go back exactly; RestoreClipboard=0 leaves the phrase on the
# clipboard.
# Usage: paste_clipboard_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init paste_clipboard "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=paste

# Root: Ctrl+Alt+Space. 定型: Ctrl+Alt+P (80). 囲む: Ctrl+Alt+E (69).
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1568	0	0
1	定型(&P)	定型文です	1616	0	0		0
13	囲む(&E)	<強>\\r\\n</強>	1605	0	0		0
1	クリップ(&C)	[%%c]	1603	0	0		0
"
cp "$TOLVANE_EXE" .

# A 2 x 2 bitmap, 24 bits a pixel: a clipboard with no text at all.
python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<IiiHHIIiiII",40,2,2,1,24,0,16,0,0,0,0)+bytes(range(16)))' > dib.bin

start_tolvane() {
  e2e_clipboard --empty
  e2e_start_tolvane "$DESKTOP"
}

# clipboard_holds_text UTF8_TEXT: the clipboard's CF_TEXT is exactly that
clipboard_holds_text() {
  e2e_sjis "$1" clip.expected && e2e_clipboard --get clip.got 2>/dev/null && cmp -s clip.got clip.expected
}
clipboard_holds_dib() { e2e_clipboard --get-format 8 dib.got 2>/dev/null && cmp -s -n "$(stat -c %s dib.bin)" dib.got dib.bin; }

test_text_given_back() {
  e2e_sjis 'y' user.txt && e2e_clipboard --set user.txt
  e2e_reset_notepad
  e2e_key ctrl+alt+p
  e2e_expect_notepad '定型文です' "the phrase is pasted"
  e2e_wait_until 'clipboard_holds_text y' 10 && e2e_pass "the user's copied text is back on the clipboard" ||
    e2e_fail "the clipboard holds [$(e2e_show clip.got)], not the user's y"
  e2e_key ctrl+v
  e2e_expect_notepad '定型文ですy' "Ctrl+V after the insertion pastes the user's text, not the phrase"
  e2e_clips_file clips.expected '定型文です' 'y'
  e2e_wait_until 'cmp -s clips.dat clips.expected' 10
  e2e_expect_bytes clips.dat clips.expected \
    "with NoPastFromQS off the phrase is recorded, and the copy given back is not recorded again"
  local paste_line
  paste_line=$(grep 'CF_TEXT' viewer.log | grep 'ExcludeClipboardContentFromMonitorProcessing' | tail -1)
  grep -q 'CanIncludeInClipboardHistory' <<< "$paste_line" && grep -q 'CanUploadToCloudClipboard' <<< "$paste_line" &&
    e2e_pass "a viewer behind tolvane sees the phrase marked for no history and no cloud" ||
    e2e_fail "the viewer saw no marked paste: [$(tail -4 viewer.log | tr '\n' '|')]"
}

test_bitmap_given_back() {
  e2e_clipboard --set-format 8 dib.bin
  e2e_reset_notepad
  e2e_key ctrl+alt+p
  e2e_expect_notepad '定型文です' "the phrase is pasted over a bitmap clipboard"
  e2e_wait_until 'clipboard_holds_dib' 10 && e2e_pass "the user's bitmap (CF_DIB) is back, byte for byte" ||
    e2e_fail "the clipboard's CF_DIB is [$(od -An -tx1 dib.got 2>/dev/null | head -2 | tr -s ' \n' ' ')]"
}

test_enclose_nothing_selected() {
  e2e_reset_notepad
  e2e_key ctrl+alt+e
  e2e_expect_notepad $'<強>\r\n</強>' "an enclose with nothing selected pastes both strings"
  e2e_type x
  e2e_expect_notepad $'<強>\r\nx</強>' "typing after it lands between the strings"
  e2e_wait_until 'clipboard_holds_dib' 10 && e2e_pass "the enclose gives the user's clipboard back too" ||
    e2e_fail "after the enclose the clipboard's CF_DIB is [$(od -An -tx1 dib.got 2>/dev/null | head -2 | tr -s ' \n' ' ')]"
}

test_enclose_selection() {
  e2e_sjis '選択' selection.txt && e2e_set_notepad_text selection.txt
  e2e_sjis 'y2' user.txt && e2e_clipboard --set user.txt
  e2e_click 300 300
  e2e_key ctrl+a
  e2e_key ctrl+alt+e
  e2e_expect_notepad '<強>選択</強>' "an enclose wraps the selection"
  e2e_wait_until 'clipboard_holds_text y2' 10 && e2e_pass "the clipboard from before the selection was copied is back" ||
    e2e_fail "after the enclose the clipboard holds [$(e2e_show clip.got)]"
}

# A phrase holding %%c over 1 MB of copied text: the target gets the phrase with
# all of it, and the clipboard afterwards holds the user's text exactly, however
# long the target keeps the clipboard open while it takes the text in. Short
# lines: Notepad takes seconds over a quarter of a million of them, all the
# while holding the clipboard open.
test_large_clipboard_given_back() {
  python3 -c '
import sys
line = "ソ\r\n".encode("cp932")
sys.stdout.buffer.write((line * (1048576 // len(line) + 1))[:1048576])' > large.txt
  e2e_clipboard --set large.txt
  { printf '['; cat large.txt; printf ']'; } > large.expected
  e2e_reset_notepad
  e2e_key ctrl+alt+c
  e2e_wait_until 'e2e_notepad_text large.got && cmp -s large.got large.expected' 60 &&
    e2e_pass "the phrase is pasted with the 1 MB clipboard text inside" ||
    e2e_fail "notepad holds $(stat -c %s large.got) bytes, not the 1 MB text in brackets"
  e2e_wait_until 'e2e_clipboard --get clip.got 2>/dev/null && cmp -s clip.got large.txt' 20 &&
    e2e_pass "afterwards the clipboard holds the user's 1 MB text exactly" ||
    e2e_fail "afterwards the clipboard holds $(stat -c %s clip.got 2>/dev/null) bytes: [$(head -c 24 clip.got | iconv -f CP932 -t UTF-8 | tr '\r\n' '  ')...]"
}

test_restore_off() {
  e2e_stop tolvane.exe || e2e_fail "tolvane did not stop"
  printf '[Clip]\r\nNoPastFromQS=0\r\n[Paste]\r\nRestoreClipboard=0\r\n' > tv2.ini
  start_tolvane
  e2e_sjis 'y' user.txt && e2e_clipboard --set user.txt
  e2e_reset_notepad
  e2e_key ctrl+alt+p
  e2e_expect_notepad '定型文です' "the phrase is pasted with RestoreClipboard=0"
  sleep 2
  clipboard_holds_text '定型文です' && e2e_pass "with RestoreClipboard=0 the phrase stays on the clipboard" ||
    e2e_fail "with RestoreClipboard=0 the clipboard holds [$(e2e_show clip.got)]"
}

printf '[Clip]\r\nNoPastFromQS=0\r\n' > tv2.ini
e2e_clipboard --viewer "$(e2e_winpath viewer.log)" 300 &
e2e_wait_until 'grep -q "^joined" viewer.log 2>/dev/null' || e2e_fail "the clipboard viewer did not join"
e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
start_tolvane
for test in ${PASTE_TESTS:-test_text_given_back test_bitmap_given_back test_enclose_nothing_selected test_enclose_selection test_large_clipboard_given_back test_restore_off}; do
  "$test"
done
touch viewer.log.stop
e2e_finish
