#!/usr/bin/env bash
# The popup menu under awkward conditions: a folder key whose submenu has no
# entry, the menu's key pressed while it is open, an icon file that cannot be
# found, absurd values in tv2.ini (held at the nearest usable ones), a 150%
# screen (LogPixels 144) and a data file 40,000 folders deep.
# Usage: menu_hardening_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016,SC2034,SC2154  # e2e_pass never fails; wait conditions (setting menu) and the cleanup hook are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init menu_hardening "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=harden
cp "$TOLVANE_EXE" tolvane.exe

# 一 takes its icon from a file that is not there yet.
LATE_ICON=$(e2e_winpath late.ico)
# Root: Ctrl+Alt+M (77 + 1536). 空 (Ctrl+Alt+E) holds only a column break, so its
# submenu has no entry. The root menu is four entries taller than 束.
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1613	0	0
0	空(&E)		1605	0	0		0
{
	4	-縦線-		0	0	0		0
}
1	一(&1)	いち	0	0	0	${LATE_ICON//\\/\\\\}	0
1	二(&2)	に	0	0	0		0
1	三(&3)	さん	0	0	0		0
1	四(&4)	よん	0	0	0		0
0	束(&F)		0	0	0		0
{
	1	子(&A)	こ	0	0	0		0
	1	子(&B)	こ	0	0	0		0
}
"

menu_count() { e2e_winlist --class '#32768' --visible 2> /dev/null | grep -c .; }
open_root() { e2e_key ctrl+alt+m && e2e_wait_until 'menu=$(e2e_menu_rect)' 8; }
open_sub() { e2e_key f && e2e_wait_until '[ "$(menu_count)" = 2 ]'; }
close_all() { e2e_key Escape Escape && e2e_wait_no_window '#32768'; }
restart_tolvane() { e2e_stop tolvane.exe && e2e_start_tolvane "$DESKTOP"; }

# The prefix is shared with the other tests: its DPI goes back as it was. Every
# process reads LogPixels when it starts, so Wine starts afresh.
ORIGINAL_DPI=$(wine reg query 'HKCU\Control Panel\Desktop' /v LogPixels 2> /dev/null | awk '/LogPixels/ {print $3}')
set_dpi() {
  if [ -n "$1" ]; then wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$(($1))" /f
  else wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f; fi > /dev/null 2>&1
  wineserver -k 2> /dev/null
  wineserver -w 2> /dev/null
}
e2e_on_cleanup 'set_dpi "$ORIGINAL_DPI"'

# measure NAME: sets NAME_height (one entry) and NAME_width (the root menu).
measure() {
  local l t r b st sb
  open_root && open_sub || { e2e_fail "$1: the menu or 束 did not open"; close_all; return 1; }
  read -r l t r b <<< "$menu"
  read -r _ st _ sb <<< "$(e2e_menu_rect)"
  printf -v "$1_height" %s $((((b - t) - (sb - st)) / 4))
  printf -v "$1_width" %s $((r - l))
  close_all
}

# 1. The key of a folder without entries shows nothing and leaves no menu "open".
test_empty_submenu() {
  e2e_key ctrl+alt+e
  sleep 1  # the time a menu takes to appear, had there been one
  [ "$(menu_count)" = 0 ] && open_root && close_all && e2e_pass "after the empty folder's key the root key still works" ||
    { e2e_fail "the root key does nothing after the empty folder's key"; return; }
  # shellcheck disable=SC2046  # "X Y"
  e2e_click $(e2e_tray_point) 3
  e2e_wait_until 'menu=$(e2e_menu_rect)' && close_all && e2e_pass "and so does the tray icon" || e2e_fail "the tray opened no menu"
}

# 2. The menu's key pressed again closes the menu, submenus and all; the focus
# goes back, and the menu opens again and takes keys.
test_key_toggles() {
  open_root && e2e_key ctrl+alt+m && e2e_wait_no_window '#32768' && e2e_pass "a second press closes the menu" ||
    { e2e_fail "the menu stayed open: $(e2e_winlist --class '#32768')"; close_all; }
  e2e_wait_until '[ "$(e2e_foreground_class)" = Notepad ]' && e2e_pass "the focus is back in Notepad" ||
    e2e_fail "the foreground is $(e2e_foreground_class)"
  open_root && open_sub && e2e_key ctrl+alt+m && e2e_wait_no_window '#32768' &&
    e2e_pass "the reopened menu takes keys, and the root key closes it with its submenu" ||
    { e2e_fail "menus: $(e2e_winlist --class '#32768')"; close_all; }
}

# 8. An icon file that cannot be found is not looked for at every drawing (on a
# host that has gone, each look-up waits for the network): the menu opened
# again after the file appears still shows 一's own icon.
test_unreadable_icon() {
  local l t b before
  open_root || { e2e_fail "the menu did not open"; return; }
  read -r l t _ b <<< "$menu"
  sleep 1  # a menu window is listed before it is painted
  before=$(e2e_pixels "$l" "$t" 24 $((b - t)))
  close_all
  cp "$E2E_LIB_DIR/../../res/icons/app.ico" late.ico
  open_root || { e2e_fail "the menu did not open again"; return; }
  e2e_wait_until '[ "$(e2e_pixels "$l" "$t" 24 $((b - t)))" = "$before" ]' 3 &&
    e2e_pass "an icon file found missing is not looked for again in this run" ||
    e2e_fail "the icons of the menu changed once late.ico appeared: it was looked for again"
  close_all
}

# 6. Absurd settings read as the nearest values the menu can use, never as the
# defaults: the menu looks as with those bounds written, not as with no tv2.ini.
test_absurd_settings() {
  printf '[MenuFont]\r\nHeight=144\r\nWeight=0\r\n[set]\r\niMaxViewSize=40\r\nShowMenuPosMode=6\r\n' > tv2.ini
  restart_tolvane && measure bounds || return
  printf '[MenuFont]\r\nHeight=1000000\r\nWeight=-7\r\n[set]\r\niMaxViewSize=-5\r\nShowMenuPosMode=99\r\n' > tv2.ini
  restart_tolvane && measure absurd || return
  [ "$absurd_height $absurd_width" = "$bounds_height $bounds_width" ] &&
    [ "$absurd_height $absurd_width" != "$normal_height $normal_width" ] &&
    e2e_pass "Height=1000000 and iMaxViewSize=-5 read as 144 and 40, the nearest the menu can use" ||
    e2e_fail "entry $absurd_height high, menu $absurd_width wide; at the bounds: $bounds_height, $bounds_width;" \
      "defaults: $normal_height, $normal_width"
}

# 5. At 150% the entry height and the menu width are half as large again; a
# font large enough to set the height keeps its 96 DPI meaning from tv2.ini.
test_high_dpi() {
  printf '[MenuFont]\r\nHeight=-24\r\n' > tv2.ini
  restart_tolvane && measure big || return
  set_dpi 144
  e2e_start_tolvane "$DESKTOP" && measure high || return
  local expected=$((big_height * 3 / 2))
  [ "$high_height" -ge $((expected - 2)) ] && [ "$high_height" -le $((expected + 2)) ] &&
    e2e_pass "an entry is $high_height pixels high at 144 DPI, $big_height at 96" ||
    e2e_fail "an entry is $high_height pixels high at 144 DPI, expected $expected (±2) from $big_height at 96"
  [ $((high_width * 10)) -ge $((big_width * 14)) ] && e2e_pass "the menu is $high_width wide, $big_width at 96" ||
    e2e_fail "the menu is $high_width pixels wide at 144 DPI, not 1.4 times $big_width"
  rm tv2.ini  # the picture shows the default look
  local l t r b
  restart_tolvane && open_root && open_sub && e2e_key Down || return
  read -r l t _ _ <<< "$menu"
  read -r _ _ r b <<< "$(e2e_menu_rect)"
  e2e_screenshot screen.png
  convert screen.png -crop "$((r - l + 20))x$((b - t + 20))+$((l + E2E_DESKTOP_X - 10))+$((t + E2E_DESKTOP_Y - 10))" \
    +repage "$(e2e_screenshots_dir)/menu_150_percent.png"
  close_all
}

# 7. 40,000 folders deep: 64 levels of submenus, a 65th with a disabled "…",
# and the data file as it was.
test_deep_menu() {
  e2e_stop tolvane.exe
  { printf '%s1613\t0\t0\r\n' "$E2E_MENU_HEADER" | iconv -f UTF-8 -t CP932
    awk 'BEGIN { for (i = 1; i <= 40000; i++) printf "0\tdeep%d\t\t0\t0\t0\t\t0\r\n{\r\n", i
                 for (i = 1; i <= 40000; i++) printf "}\r\n" }'; } > tv2_text.ini
  cp tv2_text.ini deep.expected
  e2e_start_tolvane "$DESKTOP" && open_root || { e2e_fail "the deep menu did not open"; return; }
  e2e_key Down
  for _ in 1 2 3 4 5 6 7; do e2e_key Right Right Right Right Right Right Right Right Right Right; done
  e2e_wait_until '[ "$(menu_count)" -ge 66 ]'
  [ "$(menu_count)" = 66 ] && e2e_pass "70 steps right open the root menu and 65 submenus" ||
    e2e_fail "$(menu_count) menus are open, expected 66"
  e2e_key ctrl+alt+m
  e2e_wait_no_window '#32768' 30 && e2e_running tolvane.exe && e2e_pass "the root key closes them all" ||
    e2e_fail "menus stayed open, or tolvane is gone"
  e2e_expect_bytes tv2_text.ini deep.expected "the deep data file is left as it was"
}

e2e_start "$DESKTOP" notepad
e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not start"
e2e_start_tolvane "$DESKTOP"
test_empty_submenu
test_key_toggles
test_unreadable_icon
measure normal && e2e_pass "at 96 DPI an entry is $normal_height pixels high, the menu $normal_width wide"
if [ -n "${normal_height:-}" ]; then
  test_absurd_settings
  test_high_dpi
fi
test_deep_menu
e2e_finish
