#!/usr/bin/env bash
# Pictures to look at, and the checks that can be made on them: the popup menu
# (Japanese labels with mnemonics, a separator, a second column, a folder, a
# date, a text too long for the width limit, a program item) and the tray icon
# (normal, and the active one while a key's menu is open). The pictures land in
# WORK_PARENT/../screenshots.
# The 16x16 tile shown without a tray has no case here: Wine 8 gives every
# desktop a window of class Shell_TrayWnd, even with its shell off (it shows
# itself as soon as an icon is added), so the icon is always accepted.
# Usage: screenshot_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE ORG_TEXT_INI
# shellcheck disable=SC2015,SC2016,SC2034  # e2e_pass never fails; wait conditions, and the variables only they read, are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init screenshot "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(realpath -m "$E2E_WORK/../../screenshots")
mkdir -p "$SHOTS" || exit 2
MAX_VIEW_SIZE=200  # iMaxViewSize without a tv2.ini

header=$E2E_MENU_HEADER
# Root key Ctrl+Alt+Space = 32 + 1536. The vSeparater starts the second column.
menu="${header}1568	0	0
1	挨拶(&A)	おはようございます。	0	0	0		0
1	住所(&J)	東京都千代田区	0	0	0		0
3	-横線-		0	0	0		0
0	フォルダ(&F)		0	0	0		0
{
	1	子の項目(&1)	子の表	0	0	0		0
	1	子の項目(&2)	子の表2	0	0	0		0
}
8	%Y/%m/%d(%f) %H:%M		0	0	0		0
0	とても長い表示テキストはメニューの幅に収まらないので末尾が省略記号で切られます(&L)		0	0	0		0
4	|縦線|		0	0	0		0
2	メモ帳を開く(&N)	notepad.exe	0	0	0		0
1	ソ表と表示(&S)	ソ表	0	0	0		0
10	終了(&Q)		0	0	0		0
"
e2e_sjis "${menu//$'\n'/$'\r\n'}" tv2_text.ini
# Its own folder holds no org_text.ini for the program to fall back to.
mkdir program && cp "$TOLVANE_EXE" program/

# shot NAME [GEOMETRY]: the screen, or the part WxH+X+Y of the desktop, as NAME.png
shot() {
  local file=$SHOTS/$1.png
  e2e_screenshot "$file.full.png" || { e2e_fail "no screenshot $1"; return 1; }
  if [ -n "${2:-}" ]; then
    local w h x y
    IFS='x+' read -r w h x y <<< "$2"
    convert "$file.full.png" -crop "${w}x${h}+$((x + E2E_DESKTOP_X))+$((y + E2E_DESKTOP_Y))" +repage "$file" &&
      rm -f "$file.full.png"
  else
    mv "$file.full.png" "$file"
  fi
  echo "screenshot: $file"
}

pixels() { e2e_pixels "$@"; }
# colours X Y W H: how many colours the area has (a flat background has one)
# shellcheck disable=SC2317  # called from a wait condition
colours() { pixels "$@" | awk '{print $3}' | sort -u | wc -l; }

# The menu window's size shows the column break and the width limit: the
# first column is cut to the limit, the second stands beside it.
test_menu_picture() {
  e2e_move 120 100
  e2e_key ctrl+alt+space
  local rect
  e2e_wait_until 'rect=$(e2e_menu_rect)' || { e2e_fail "ctrl+alt+space opened no menu"; return; }
  local l t r b
  read -r l t r b <<< "$rect"
  e2e_pass "the root key opens the menu at ($rect)"
  local width=$((r - l)) height=$((b - t))
  [ "$width" -gt $((MAX_VIEW_SIZE + 60)) ] && [ "$width" -gt "$height" ] &&
    e2e_pass "the menu has a second column: $width wide, $height high" ||
    e2e_fail "a menu of one column? $width wide, $height high"
  [ "$width" -le $((2 * MAX_VIEW_SIZE + 30)) ] && e2e_pass "the long text is cut to the width limit" ||
    e2e_fail "the menu is $width wide: the long text was not cut to $MAX_VIEW_SIZE pixels"
  # The first entry highlighted, to see the selected colours too.
  local before
  before=$(pixels "$((l + 30))" "$((t + 4))" 40 12)
  e2e_key Down
  e2e_wait_until '[ "$(pixels "$((l + 30))" "$((t + 4))" 40 12)" != "$before" ]' 3
  shot menu
  e2e_key Escape
  e2e_wait_no_window '#32768' && e2e_pass "escape closes the menu" || e2e_fail "the menu stayed open"
}

# The icon area of the tray: an icon is drawn there (more than the taskbar's
# colour), and the active icon replaces it while a key's menu is open.
test_tray_picture() {
  local x y normal
  read -r x y <<< "$(e2e_tray_point)"
  e2e_wait_until '[ "$(colours $((x - 8)) $((y - 8)) 16 16)" -gt 2 ]' ||
    { e2e_fail "no icon drawn in the tray at ($x,$y)"; return; }
  e2e_pass "the tray shows an icon at ($x,$y)"
  normal=$(pixels $((x - 8)) $((y - 8)) 16 16)
  local l t r b
  read -r l t r b <<< "$(e2e_window_rect Shell_TrayWnd)"
  local tray_area="240x$((b - t))+$((r - 240))+$t"
  shot tray "$tray_area"

  e2e_move 300 200
  e2e_key ctrl+alt+space
  e2e_wait_until 'e2e_menu_rect > /dev/null' || { e2e_fail "no menu for the active icon"; return; }
  e2e_wait_until '[ "$(pixels $((x - 8)) $((y - 8)) 16 16)" != "$normal" ]' 5 &&
    e2e_pass "the tray shows another icon while the key's menu is open" ||
    e2e_fail "the tray icon did not change while the menu was open"
  shot tray-active "$tray_area"
  e2e_key Escape
  e2e_wait_no_window '#32768' || e2e_fail "the menu stayed open"
  e2e_wait_until '[ "$(pixels $((x - 8)) $((y - 8)) 16 16)" = "$normal" ]' 5 &&
    e2e_pass "the normal icon is back once the menu closes" || e2e_fail "the tray icon stayed changed"
}

e2e_start screenshot program/tolvane.exe
e2e_wait_until 'e2e_winlist --class TV2 | grep -q .' || e2e_fail "tolvane did not start"
test_menu_picture
test_tray_picture
e2e_finish
