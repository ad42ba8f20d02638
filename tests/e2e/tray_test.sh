#!/usr/bin/env bash
# The tray icon when the taskbar refuses it: tolvane.exe shows its main window
# as a 16x16 tile with the application icon, which opens the menu on a right
# click, and keeps retrying; once the taskbar is back (a taskbar restart), the
# icon goes into the tray and the tile hides.
# Every desktop of Wine has a taskbar, so a stand-in taskbar (helpers/faketray)
# is put in front of it: it refuses every icon until it is told to go away.
# Then, from the tray, phrases picked by their letter land in Notepad whole.
# Usage: tray_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016,SC2317  # e2e_pass never fails; wait conditions, and what only they call, are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
mkdir -p "${2:?work folder}/../screenshots" || exit 2
SCREENSHOTS=$(realpath "$2/../screenshots")
e2e_init tray "${1:?helpers folder}" "$2"
DESKTOP=tray

header=$E2E_MENU_HEADER
menu="${header}0	0	0
1	定型文	本文	0	0	0		0
1	句(&P)	定型の句です	0	0	0		0
"
e2e_sjis "${menu//$'\n'/$'\r\n'}" tv2_text.ini
cp "$TOLVANE_EXE" .

FAKE_LOG=$E2E_WORK/$DESKTOP-faketray.exe.log  # where e2e_start puts its output

refused_adds() { grep -c '^refused NIM_ADD from' "$FAKE_LOG" 2> /dev/null; }

# The stand-in taskbar comes first, then tolvane.exe, whose icon it refuses.
test_tile_without_tray() {
  e2e_start "$DESKTOP" "$E2E_HELPERS/faketray.exe" "$(e2e_winpath ready)" "$(e2e_winpath stop)" || return 1
  e2e_wait_file ready ||
    { e2e_fail "the stand-in taskbar did not come first: [$(cat "$FAKE_LOG")] $(e2e_winlist --class Shell_TrayWnd)"; return 1; }
  e2e_pass "a stand-in taskbar $(tr -d '\r\n' < ready) is found before Wine's own"

  e2e_start "$DESKTOP" tolvane.exe || return 1
  local tile hwnd l t r b
  tile=$(e2e_wait_window TV2) || { e2e_fail "no visible TV2 window: $(e2e_winlist --class TV2)"; return 1; }
  IFS=$'\t' read -r hwnd _ _ _ l t r b _ <<< "$tile"
  [ $((r - l)) = 16 ] && [ $((b - t)) = 16 ] && e2e_pass "the main window shows as a 16x16 tile at ($l,$t)" ||
    e2e_fail "the tile is $((r - l))x$((b - t)), not 16x16: $tile"
  e2e_wait_until 'grep -q "^refused NIM_ADD from $hwnd" "$FAKE_LOG"' &&
    e2e_pass "its icon was offered to the taskbar and refused" ||
    e2e_fail "the taskbar saw no NIM_ADD from $hwnd: [$(cat "$FAKE_LOG")]"
  check_tile_face "$l" "$t"
  return 0  # a tile is up: the other cases can run
}

# check_tile_face LEFT TOP: the tile on the screen is painted, not left blank.
check_tile_face() {
  local x=$(($1 + E2E_DESKTOP_X)) y=$(($2 + E2E_DESKTOP_Y)) colours
  e2e_screenshot screen.png
  # The tile with up to 8 pixels of its surroundings, for a person to look at.
  convert screen.png -crop "32x32+$((x > 8 ? x - 8 : 0))+$((y > 8 ? y - 8 : 0))" +repage "$SCREENSHOTS/tile.png"
  colours=$(convert screen.png -crop "16x16+$x+$y" +repage -format %k info:)
  [ "${colours:-0}" -gt 2 ] && e2e_pass "the tile paints the icon ($colours colours; $SCREENSHOTS/tile.png)" ||
    e2e_fail "the tile shows ${colours:-no} colours only, no icon: see $SCREENSHOTS/tile.png"
}

# While there is still no taskbar to take it, the tray watch retries every 10 s
# and leaves the tile up; a right click on it opens the menu.
test_tile_while_refused() {
  e2e_wait_until '[ "$(refused_adds)" -ge 2 ]' 12 &&
    e2e_pass "the tray watch offers the icon again" ||
    e2e_fail "no second NIM_ADD reached the taskbar: [$(cat "$FAKE_LOG")]"
  local rect
  rect=$(e2e_window_rect TV2) || { e2e_fail "the tile went away while the taskbar refused the icon"; return; }
  # The menu can only open once the retry that came before has finished: on a
  # busy machine that may take longer than one click's wait, so click again.
  e2e_click_in_rect "$rect" 3
  if ! e2e_wait_until 'menu=$(e2e_menu_rect)' 8; then
    e2e_click_in_rect "$rect" 3
    e2e_wait_until 'menu=$(e2e_menu_rect)' || { e2e_fail "a right click on the tile ($rect) opened no menu"; return; }
  fi
  e2e_pass "a right click on the tile opens the popup menu ($menu)"
  [ "$(e2e_window_rect TV2)" = "$rect" ] && e2e_pass "the tile stays up after a refused retry" ||
    e2e_fail "the tile changed after a refused retry: [$(e2e_winlist --class TV2)], was ($rect)"
  e2e_key Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the menu" || e2e_fail "the tile's menu stayed open"
}

# The stand-in taskbar goes away, as at a taskbar restart: within the tray
# watch's 10 s the icon is in Wine's tray and the tile is hidden.
test_taskbar_restart() {
  : > stop
  e2e_wait_until 'grep -q "^gone" "$FAKE_LOG"' || { e2e_fail "the stand-in taskbar did not go: [$(cat "$FAKE_LOG")]"; return; }
  local gone_at=$SECONDS
  e2e_wait_no_window TV2 12 &&
    e2e_pass "the tile is hidden $((SECONDS - gone_at)) s after the taskbar came back" ||
    { e2e_fail "the tile is still shown 12 s after the taskbar came back: $(e2e_winlist --class TV2)"; return; }
  e2e_winlist --class TV2 | grep -q . && e2e_pass "tolvane keeps running with its main window hidden" ||
    e2e_fail "the main window is gone"
  local point
  point=$(e2e_tray_point) || { e2e_fail "no taskbar: $(e2e_winlist --visible)"; return; }
  # shellcheck disable=SC2086  # "X Y"
  e2e_wait_until 'e2e_click $point 3; e2e_wait_until "menu=\$(e2e_menu_rect)" 2' 15 ||
    { e2e_fail "a right click on the tray icon at ($point) opened no menu"; return; }
  e2e_pass "the icon is in the tray: a right click on it opens the menu ($menu)"
  e2e_key Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the tray menu" || e2e_fail "the tray menu stayed open"
  grep -q '^lost first place' "$FAKE_LOG" &&
    e2e_fail "Wine's taskbar came in front of the stand-in one at times: [$(cat "$FAKE_LOG")]" ||
    e2e_pass "the stand-in taskbar stayed in front while it lived"
}

# With the pointer left on the tray icon, the tray reports pointer moves while
# the paste runs; the Control of the paste's Ctrl+V must still reach Notepad
# with its V, every time (a lone "v" arrived in about a quarter of the picks).
test_picks_by_letter() {
  e2e_start "$DESKTOP" notepad
  e2e_wait_window Notepad > /dev/null || { e2e_fail "notepad did not open"; return; }
  e2e_sjis '定型の句です' phrase.expected
  local round point wrong=()
  for round in $(seq 1 30); do
    e2e_reset_notepad
    point=$(e2e_tray_point) || { e2e_fail "no tray: $(e2e_winlist --visible)"; return; }
    # shellcheck disable=SC2086  # "X Y"
    e2e_wait_until 'e2e_click $point 3; e2e_wait_until "e2e_menu_rect > /dev/null" 2' 8 ||
      { wrong+=("$round: no menu"); continue; }
    e2e_key p
    # One Ctrl+V puts the whole text in at once: the first text seen is the result.
    e2e_wait_until 'e2e_notepad_text picked.txt && [ -s picked.txt ]' 10
    cmp -s picked.txt phrase.expected || wrong+=("$round: [$(e2e_show picked.txt)]")
  done
  [ ${#wrong[@]} = 0 ] && e2e_pass "30 of 30 picks by letter from the tray paste the phrase" ||
    e2e_fail "${#wrong[@]} of 30 picks by letter from the tray went wrong: ${wrong[*]}"
}

if test_tile_without_tray; then
  test_tile_while_refused
  test_taskbar_restart
  test_picks_by_letter
fi
e2e_finish
