#!/usr/bin/env bash
# Proves that the end-to-end harness can drive and read Windows programs under
# Wine: typing, byte-exact text in code page 932, the clipboard and its viewer
# chain, popup menus by mouse and keyboard, window lists, screenshots, the
# way a program is started, and another program's tree view and message boxes.
# Usage: harness_selftest.sh HELPERS_DIR WORK_PARENT
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are quoted to be evaluated later
set -u
source "$(dirname "$0")/lib.sh"
e2e_init harness "${1:?helpers folder}" "${2:?work folder}"

# --- the X server ---------------------------------------------------------
# An Xvfb started without -noreset resets whenever its last client leaves and
# refuses connections meanwhile: one in ten of a run of short connections failed.
# Both the tests' server and the one the run and test commands start must stay up.
connections_refused() {
  local refused=0
  for _ in $(seq 100); do xdpyinfo > /dev/null 2>&1 || refused=$((refused + 1)); done
  echo "$refused"
}
test_display_stays_up() {
  local refused
  refused=$(connections_refused)
  [ "$refused" = 0 ] && e2e_pass "the tests' display takes 100 connections one after another" ||
    e2e_fail "the tests' display refused $refused of 100 connections"
  refused=$(unset DISPLAY; TOLVANE_XVFB_DISPLAY=150 ensure_display > /dev/null
            connections_refused; kill "$TOLVANE_XVFB_PID" 2> /dev/null)
  [ "$refused" = 0 ] && e2e_pass "and so does the display the run and test commands start" ||
    e2e_fail "the run command's display refused $refused of 100 connections"
}
test_display_stays_up

# --- notepad in a desktop of its own ---------------------------------------
e2e_start harness notepad
notepad=$(e2e_wait_window Notepad) || { e2e_fail "notepad did not open"; e2e_finish; }
e2e_pass "notepad opened: $(cut -f1 <<< "$notepad")"
e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' ||
  e2e_fail "notepad's edit control never got the focus: $(e2e_focusinfo)"
[ "$(e2e_foreground_class)" = Notepad ] && e2e_pass "notepad is the foreground window" ||
  e2e_fail "foreground: $(e2e_focusinfo)"

test_typed_text() {
  e2e_type "Hello, harness 123"
  printf 'Hello, harness 123' > typed.expected
  e2e_wait_until 'e2e_notepad_text typed.txt && cmp -s typed.txt typed.expected'
  e2e_expect_bytes typed.txt typed.expected "typed keys reach notepad"
}

test_text_round_trip() {
  # Trail bytes 0x5C (ソ, 表), a half-width kana, CR LF and no final newline.
  e2e_sjis $'ソ表\\path\r\nｶﾅ 2行目' roundtrip.expected
  [ "$(od -An -tx1 -N4 roundtrip.expected | tr -d ' ')" = 835c955c ] ||
    e2e_fail "the sample does not start with 83 5C 95 5C"
  e2e_set_notepad_text roundtrip.expected || e2e_fail "wintext --set failed"
  e2e_notepad_text roundtrip.txt || e2e_fail "wintext failed"
  e2e_expect_bytes roundtrip.txt roundtrip.expected "wintext --set and read back keep every byte"

  local selection
  selection=$(e2e_wintext --select 1 3 --get-sel | tr -d '\r')
  [ "$selection" = "1 3" ] && e2e_pass "wintext --select sets the selection" ||
    e2e_fail "selection after --select 1 3: [$selection]"
}

test_missing_window() {
  e2e_wintext NoSuchWindowClass nothing.txt 2> /dev/null
  local status=$?
  [ "$status" = 1 ] && [ ! -e nothing.txt ] && e2e_pass "wintext exits 1 without a window" ||
    e2e_fail "wintext without a window: exit $status"
}

test_paste() {
  e2e_sjis 'クリップ表' clip.expected
  e2e_clipboard --set "$(e2e_winpath clip.expected)" || e2e_fail "clipboard --set failed"
  e2e_clipboard --get "$(e2e_winpath clip.txt)" || e2e_fail "clipboard --get failed"
  e2e_expect_bytes clip.txt clip.expected "clipboard --set and --get keep every byte"

  e2e_sjis 'before:' paste-start.txt
  e2e_set_notepad_text paste-start.txt
  e2e_wintext --select end end
  e2e_key ctrl+v
  cat paste-start.txt clip.expected > paste.expected
  e2e_wait_until 'e2e_notepad_text paste.txt && cmp -s paste.txt paste.expected'
  e2e_expect_bytes paste.txt paste.expected "ctrl+v pastes the clipboard into notepad"
}

test_window_list() {
  local line
  line=$(e2e_winlist --class Notepad --visible | head -1)
  IFS=$'\t' read -r hwnd class pid visible left top right bottom title <<< "$line"
  [ "$class" = Notepad ] && [ "$visible" = 1 ] && [ "$pid" -gt 0 ] && [ "$right" -gt "$left" ] &&
    [ "$bottom" -gt "$top" ] && e2e_pass "winlist describes notepad: $hwnd pid $pid ($left,$top)-($right,$bottom)" ||
    e2e_fail "winlist line for notepad: [$line]"
  printf '%s' "$title" | iconv -f CP932 -t UTF-8 2> /dev/null | grep -q 'メモ帳' &&
    e2e_pass "the title comes as code page 932 bytes" || e2e_fail "notepad's title: [$title]"
  e2e_winlist --class Shell_TrayWnd --visible | grep -q . && e2e_pass "the desktop has a taskbar" ||
    e2e_fail "no visible taskbar: $(e2e_winlist --visible)"
  e2e_winlist | grep -q '#32768' && e2e_fail "menus are listed without --menus" ||
    e2e_pass "menus are left out by default"
}

# The edit control's context menu opens with its top left corner at the
# pointer, which proves the conversion of desktop coordinates for xdotool.
test_context_menu_by_mouse() {
  e2e_set_notepad_text roundtrip.expected
  e2e_wintext --select 0 0
  local x=200 y=150 rect l t r b
  e2e_click $x $y 3
  e2e_wait_until 'rect=$(e2e_menu_rect)' || { e2e_fail "no popup menu after a right click"; return; }
  read -r l t r b <<< "$rect"
  [ "$l" = $x ] && [ "$t" = $y ] && e2e_pass "the menu opens at the clicked point ($rect)" ||
    e2e_fail "menu at ($rect) after a click at $x,$y"
  e2e_winlist --menus --visible | grep -q '#32768' && e2e_pass "winlist --menus lists the open menu" ||
    e2e_fail "winlist --menus: $(e2e_winlist --menus --visible)"
  # The last entry is "select all".
  e2e_click $(((l + r) / 2)) $((b - 8))
  e2e_wait_no_window '#32768' || e2e_fail "the menu stayed open after a click on an entry"
  local length selection
  length=$(iconv -f CP932 -t UTF-16LE roundtrip.expected | wc -c)
  e2e_wait_until 'selection=$(e2e_wintext --get-sel | tr -d "\r"); [ "$selection" = "0 $((length / 2))" ]'
  [ "$selection" = "0 $((length / 2))" ] && e2e_pass "a click on a menu entry picks it" ||
    e2e_fail "selection after 'select all': [$selection], expected [0 $((length / 2))]"
  e2e_park_pointer
}

test_menu_by_keyboard() {
  e2e_key alt+f
  e2e_wait_until 'e2e_menu_rect > /dev/null' && e2e_pass "alt+f opens notepad's file menu" ||
    e2e_fail "no menu after alt+f"
  e2e_key Escape Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the menu" || e2e_fail "the menu stayed open"
  [ "$(e2e_foreground_class)" = Notepad ] && e2e_pass "notepad is in front again" ||
    e2e_fail "foreground after the menu: $(e2e_focusinfo)"
  # Still in menu mode, notepad would take the key as a menu mnemonic.
  : > empty.txt
  e2e_set_notepad_text empty.txt
  e2e_type z
  e2e_wait_until '[ "$(e2e_wintext)" = z ]' && e2e_pass "keys reach the text again after the menu" ||
    e2e_fail "text after the menu: [$(e2e_wintext)]"
}

# Wine drops keys that X delivers to a window of a thread not in front, so
# e2e_key must move the X focus first: here it starts on the notepad behind.
test_keys_follow_the_foreground() {
  local behind front
  behind=$(e2e_winlist --class Notepad --visible | cut -f1)
  e2e_start harness notepad
  # A second Wine process can take long to show its window on a loaded machine.
  e2e_wait_until '[ "$(e2e_winlist --class Notepad --visible | wc -l)" = 2 ]' 60 ||
    { e2e_fail "no second notepad: $(e2e_winlist --class Notepad --visible)"; return; }
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ] && [ "$(e2e_foreground_hwnd)" != "$behind" ]' ||
    { e2e_fail "the second notepad is not in front: $(e2e_focusinfo)"; return; }
  front=$(e2e_foreground_hwnd)
  local x_front x_behind
  x_front=$(e2e_focusinfo | awk -F'\t' '$1 == "xwindow" {print $2}')
  x_behind=$(xdotool search --class notepad.exe | while read -r w; do
    [ "$((w))" != "$((x_front))" ] && xwininfo -id "$w" | grep -q IsViewable && echo "$w"; done | head -1)
  xdotool windowfocus --sync "$x_behind"
  e2e_type "front"
  e2e_wait_until '[ "$(e2e_wintext --hwnd "$front" --get -)" = front ]' &&
    e2e_pass "typed keys reach the foreground window wherever the X focus was" ||
    e2e_fail "front notepad: [$(e2e_wintext --hwnd "$front" --get -)]"
}

test_screenshot() {
  e2e_sjis '表示テスト ソ表' shot-text.txt
  e2e_set_notepad_text shot-text.txt
  e2e_screenshot "$E2E_WORK/screen.png"
  identify "$E2E_WORK/screen.png" 2> /dev/null | grep -q ' PNG ' && e2e_pass "screenshot in $E2E_WORK/screen.png" ||
    e2e_fail "no screenshot"
}

test_start_in_folder() {
  mkdir -p "start dir/表"
  wine start /d "$(e2e_winpath "start dir/表")" /wait /unix "$E2E_HELPERS/argdump.exe" one "two words" 表 \
    > /dev/null 2>&1
  e2e_wait_file "start dir/表/argdump.txt" || { e2e_fail "argdump wrote nothing"; return; }
  local dump
  dump=$(iconv -f CP932 -t UTF-8 "start dir/表/argdump.txt")
  grep -qxF "cwd=$(e2e_winpath "start dir/表")" <<< "$dump" && e2e_pass "argdump records its working folder" ||
    e2e_fail "argdump: [$dump]"
  grep -qx 'argc=4' <<< "$dump" && grep -qxF 'argv[2]=two words' <<< "$dump" &&
    grep -qxF 'argv[3]=表' <<< "$dump" && e2e_pass "argdump records its arguments" || e2e_fail "argdump: [$dump]"

  # Started inside the desktop, writing where ARGDUMP_OUT says.
  ARGDUMP_OUT=$(e2e_winpath desktop-argdump.txt) e2e_start harness "$E2E_HELPERS/argdump.exe" '"quoted"' x
  e2e_wait_file desktop-argdump.txt && grep -qxF "cwd=$(e2e_winpath "$E2E_WORK")" desktop-argdump.txt &&
    grep -qxF 'argv[1]="quoted"' desktop-argdump.txt && e2e_pass "argdump honours ARGDUMP_OUT" ||
    e2e_fail "argdump in the desktop: [$(cat desktop-argdump.txt 2> /dev/null)]"
}

# Two viewers in the chain: the newer one must pass every change on to the
# older one, and leaving must not cut the older one off.
test_viewer_chain() {
  e2e_clipboard --viewer "$(e2e_winpath older.log)" 60 &
  E2E_PIDS+=($!)
  e2e_wait_until 'grep -q "^joined" older.log 2> /dev/null' || { e2e_fail "the first viewer did not join"; return; }
  e2e_clipboard --viewer "$(e2e_winpath newer.log)" 60 &
  E2E_PIDS+=($!)
  e2e_wait_until 'grep -q "^joined" newer.log 2> /dev/null' || { e2e_fail "the second viewer did not join"; return; }
  local older
  older=$(awk '/^joined/ {print $2}' older.log)
  grep -q "^joined .* next $older\$" newer.log && e2e_pass "the second viewer is ahead of the first" ||
    e2e_fail "chain: [$(cat newer.log)]"

  printf 'one' > one.txt
  e2e_clipboard --set "$(e2e_winpath one.txt)" --mark-exclude
  e2e_wait_until 'grep -q "ExcludeClipboardContentFromMonitorProcessing" older.log' &&
    grep -q "^draw 2 CF_TEXT,ExcludeClipboardContentFromMonitorProcessing" newer.log &&
    e2e_pass "a change reaches both viewers, with the exclusion mark" ||
    e2e_fail "after a change: newer [$(cat newer.log)] older [$(cat older.log)]"

  touch newer.log.stop
  e2e_wait_until 'grep -q "^left" newer.log' || e2e_fail "the second viewer did not leave"
  printf 'two' > two.txt
  e2e_clipboard --set "$(e2e_winpath two.txt)"
  e2e_wait_until '[ "$(grep -c "^draw" older.log)" = 3 ]' &&
    e2e_pass "the first viewer still hears changes after the second left" ||
    e2e_fail "after the second viewer left: older [$(cat older.log)]"
  touch older.log.stop
  e2e_wait_until 'grep -q "^left" older.log' || e2e_fail "the first viewer did not leave"
}

# editorctl on Wine's own programs: regedit's tree view stands in for the
# editor's tree, notepad's save prompt for the editor's message boxes.
test_editorctl() {
  local regedit=(--class RegEdit_RegEdit --tree-class SysTreeView32)
  e2e_start harness regedit
  e2e_editorctl "${regedit[@]}" wait-window || { e2e_fail "regedit did not open"; return; }
  local tree
  tree=$(e2e_editor_tree "${regedit[@]}")
  [ "$(grep -cP '^[1-9]\t[01]\t[01]\t\d+\tHKEY_' <<< "$tree")" -ge 5 ] && grep -qP '^0\t1\t' <<< "$tree" &&
    [ "$(e2e_editor_label 2 "${regedit[@]}")" = HKEY_CURRENT_USER ] &&
    e2e_pass "tree lists regedit's keys by path" || e2e_fail "tree: [$tree]"

  e2e_editorctl "${regedit[@]}" select 3
  [ "$(e2e_editorctl "${regedit[@]}" selected)" = 3 ] &&
    [ "$(e2e_editor_tree "${regedit[@]}" | awk -F'\t' '$3 == 1 {print $1}')" = 3 ] &&
    e2e_pass "select moves the selection" || e2e_fail "after select 3: $(e2e_editor_tree "${regedit[@]}")"
  e2e_editorctl "${regedit[@]}" select 9/9 2> /dev/null
  [ $? = 1 ] && e2e_pass "a missing entry is an error" || e2e_fail "select 9/9 did not fail"

  # Expanding by a click on the +/- button, as a user does.
  local label wl wt wr wb l t r b x y
  read -r _ _ _ wl wt wr wb <<< "$(e2e_editorctl "${regedit[@]}" window)"
  read -r l t r b <<< "$(e2e_editorctl "${regedit[@]}" itemrect 2)"
  read -r x y <<< "$(e2e_editorctl "${regedit[@]}" buttonpoint 2)"
  [ "$l" -ge "$wl" ] && [ "$r" -le "$wr" ] && [ "$t" -ge "$wt" ] && [ "$b" -le "$wb" ] && [ "$l" -lt "$r" ] &&
    [ "$x" -lt "$l" ] && [ "$y" -gt "$t" ] && [ "$y" -lt "$b" ] &&
    e2e_pass "itemrect and buttonpoint lie in the window" ||
    e2e_fail "window ($wl $wt $wr $wb), entry 2 ($l $t $r $b), button ($x $y)"
  e2e_click "$x" "$y"
  e2e_wait_until 'label=$(e2e_editor_label 2/1 "${regedit[@]}")' &&
    e2e_editor_tree "${regedit[@]}" | grep -qP '^2\t1\t' &&
    e2e_pass "a click on buttonpoint expands the entry: 2/1 is $label" ||
    e2e_fail "after the click: $(e2e_editor_tree "${regedit[@]}")"
  e2e_park_pointer

  local notepad
  notepad=(--hwnd "$(e2e_winlist --class Notepad --visible | head -1 | cut -f1)")
  e2e_sjis $'ソ表\r\n2行目' editorctl.expected
  e2e_editorctl "${notepad[@]}" settext Edit "$(e2e_winpath editorctl.expected)" \
    gettext Edit "$(e2e_winpath editorctl.txt)"
  e2e_expect_bytes editorctl.txt editorctl.expected "settext and gettext keep every byte"
  local prompt
  prompt=$(e2e_editorctl "${notepad[@]}" close msgbox | iconv -f CP932 -t UTF-8)
  [[ "$prompt" == $'メモ帳\t'*保存* ]] && e2e_pass "msgbox reads the save prompt that settext's change brings" ||
    e2e_fail "msgbox: [$prompt]"
  e2e_editorctl answer 2 && e2e_editorctl "${notepad[@]}" window > /dev/null &&
    e2e_pass "answer 2 cancels the close" || e2e_fail "notepad after answer 2: $(e2e_winlist --visible)"
  e2e_editorctl "${notepad[@]}" close answer 7
  e2e_wait_until '! e2e_editorctl "${notepad[@]}" window > /dev/null 2>&1' &&
    e2e_pass "answer 7 closes notepad without saving" || e2e_fail "notepad still open after answer 7"
}

test_typed_text
test_text_round_trip
test_missing_window
test_paste
test_window_list
test_context_menu_by_mouse
test_menu_by_keyboard
test_start_in_folder
test_viewer_chain
test_screenshot
test_keys_follow_the_foreground
test_editorctl
e2e_finish
