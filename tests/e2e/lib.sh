# shellcheck shell=bash disable=SC2119,SC2120
# Library of the end-to-end tests: programs run in a Wine virtual desktop on
# Xvfb, driven with xdotool and inspected with the helper programs of helpers/.
# Sourced by a test script, which starts with
#
#   source "$(dirname "$0")/lib.sh"
#   e2e_init NAME HELPERS_DIR WORK_PARENT
#
# and ends with e2e_finish. Everything it starts is stopped on exit.
#
# Coordinates: the functions taking X Y use the desktop's own screen
# coordinates, the ones Windows programs see (GetWindowRect, winlist). Wine's
# virtual desktop is one X window; e2e_start finds where it sits on the X screen
# and e2e_click adds that offset.
#
# Keyboard: Wine drops a key that X delivers through an X window of a thread
# other than the foreground one (the desktop's own window included), although
# hot keys (RegisterHotKey) fire either way. There is no window manager to
# keep the X focus right: X hands it to the desktop when a focused window
# closes. So e2e_key and e2e_type first give the X focus to the foreground
# window, or, when that one is hidden (a resident program showing its popup
# menu), to the topmost visible window of its thread. Keys sent in one call go
# out together: when a key closes or opens a window, send the next ones in a
# new call after waiting for the change, or they may be lost.
# Raw xdotool key/type calls skip this and are not reliable.
#
# Each test gets an Xvfb of its own (see e2e_display). Tests that share one Wine
# prefix must not run at the same time: e2e_init and e2e_cleanup end the
# prefix's wineserver.

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/common.sh
source "$E2E_LIB_DIR/../../scripts/common.sh"

E2E_TIMEOUT=${E2E_TIMEOUT:-15}       # seconds any wait may take before it fails
E2E_DESKTOP_SIZE=${E2E_DESKTOP_SIZE:-1024x700}
E2E_PASSED=0
E2E_FAILED=0
E2E_FINISHED=0
E2E_PIDS=()
E2E_DESKTOP_X=0
E2E_DESKTOP_Y=0
E2E_STARTED_XVFB=
E2E_CLEANUP_HOOKS=()

# --- set-up and tear-down ---------------------------------------------------

# e2e_init NAME HELPERS_DIR WORK_PARENT
# Prepares the Japanese Wine environment and a display, and makes a fresh
# working folder WORK_PARENT/NAME (E2E_WORK), which becomes the current folder.
e2e_init() {
  E2E_NAME=$1
  E2E_HELPERS=$(cd "$2" && pwd) || { echo "$1: no helpers folder $2" >&2; exit 2; }
  mkdir -p "$3" || exit 2
  E2E_WORK=$(cd "$3" && pwd)/$1
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK" || exit 2
  cd "$E2E_WORK" || exit 2
  trap e2e_cleanup EXIT
  trap 'exit 130' INT TERM
  unset E2E_DESKTOP
  wine_environment
  # A clean start: Wine programs left from an earlier run would still draw on
  # that run's display.
  wineserver -k 2> /dev/null
  wineserver -w 2> /dev/null
  e2e_display || { echo "$E2E_NAME: no X display" >&2; exit 2; }
  # Nothing is hovered until a test moves the pointer on purpose.
  e2e_park_pointer
}

# Each test gets an X server of its own: the keyboard focus and the pointer are
# per display, and a second test on the same screen would take them away.
# E2E_DISPLAY=:N uses an existing display instead (to watch a test, say).
e2e_display() {
  if [ -n "${E2E_DISPLAY:-}" ]; then
    export DISPLAY=$E2E_DISPLAY
    xdpyinfo > /dev/null 2>&1
    return
  fi
  local number_file=$E2E_WORK/.xvfb-display
  # -displayfd picks a free display and writes its number once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3> "$number_file" > "$E2E_WORK/xvfb.log" 2>&1 &
  E2E_STARTED_XVFB=$!
  e2e_wait_until "[ -s '$number_file' ]" 10 || return 1
  DISPLAY=:$(head -1 "$number_file")
  export DISPLAY
  xdpyinfo > /dev/null 2>&1
}

# e2e_on_cleanup 'COMMAND'   runs COMMAND when the test ends, however it ends,
# before Wine is stopped: for a test that changes its prefix for the tests after it
e2e_on_cleanup() { E2E_CLEANUP_HOOKS+=("$1"); }

# Stops what the test started. Installed as the EXIT trap by e2e_init.
e2e_cleanup() {
  local status=$? hook
  trap - EXIT
  for hook in "${E2E_CLEANUP_HOOKS[@]}"; do eval "$hook"; done
  if [ "${E2E_KEEP:-}" = 1 ]; then
    echo "E2E_KEEP=1: leaving Wine running on DISPLAY=$DISPLAY"
  else
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    if [ -n "$E2E_STARTED_XVFB" ]; then
      kill "$E2E_STARTED_XVFB" 2>/dev/null
      wait "$E2E_STARTED_XVFB" 2>/dev/null
    fi
  fi
  if [ "$E2E_FINISHED" != 1 ]; then
    e2e_fail "the test script ended early (status $status)"
    echo "${E2E_NAME:-e2e}: $E2E_PASSED passed, $E2E_FAILED failed"
    exit 1
  fi
  exit "$status"
}

# Prints the closing line and exits: 0 when every check passed.
e2e_finish() {
  E2E_FINISHED=1
  echo "$E2E_NAME: $E2E_PASSED passed, $E2E_FAILED failed"
  [ "$E2E_FAILED" = 0 ] && [ "$E2E_PASSED" -gt 0 ] && exit 0
  exit 1
}

# --- results ----------------------------------------------------------------

e2e_pass() { E2E_PASSED=$((E2E_PASSED + 1)); [ -n "${1:-}" ] && echo "ok [${SECONDS}s]: $1"; return 0; }

# A failure names the line of the test script, so the message says where it was seen.
e2e_fail() {
  E2E_FAILED=$((E2E_FAILED + 1))
  echo "FAIL ($(e2e_caller)): $*"
  return 1
}

# "script:line" of the innermost call made from outside this library.
e2e_caller() {
  local i
  for ((i = 1; i < ${#BASH_SOURCE[@]}; i++)); do
    if [ "${BASH_SOURCE[i]}" != "${BASH_SOURCE[0]}" ]; then
      printf '%s:%s' "$(basename "${BASH_SOURCE[i]}")" "${BASH_LINENO[i - 1]}"
      return
    fi
  done
  printf 'cleanup'
}

# e2e_stop_test MESSAGE   one failure, then the test ends: for a step after
# which every later check would be blind (a window left in front takes every
# key), so the one failure names the cause instead of a cascade of others
e2e_stop_test() {
  e2e_fail "$* (the test stops here: every later check would be blind)"
  e2e_finish
}

# e2e_check DESCRIPTION COMMAND...   passes when COMMAND succeeds
e2e_check() {
  local what=$1; shift
  if "$@"; then e2e_pass "$what"; else e2e_fail "$what: '$*' failed"; fi
}

# e2e_expect_bytes FILE EXPECTED_FILE DESCRIPTION   byte-exact comparison
e2e_expect_bytes() {
  if cmp -s "$1" "$2"; then
    e2e_pass "$3"
  else
    e2e_fail "$3: got [$(e2e_show "$1")], expected [$(e2e_show "$2")]"
  fi
}

# A file's bytes for a failure message: code page 932 shown as UTF-8, and hex.
e2e_show() {
  [ -f "$1" ] || { printf '<no file %s>' "$1"; return; }
  printf '%s | %s' "$(iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | head -c 300)" "$(od -An -tx1 "$1" | head -3 | tr -s ' \n' ' ')"
}

# --- text and paths ---------------------------------------------------------

# e2e_sjis UTF8_TEXT FILE   writes the text as code page 932 bytes, no newline added
e2e_sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 > "$2"; }

# e2e_winpath PATH   the Windows name of a Unix path (drive Z: is the Unix root)
e2e_winpath() {
  local path=$1
  [ "${path:0:1}" = / ] || path=$PWD/$path
  path=${path//\//\\}
  printf 'Z:%s' "$path"
}

# e2e_text_file FILE UTF8_TEXT   writes the text to FILE as code page 932 bytes
# and prints FILE's Windows name: a text for a control, from UTF-8
e2e_text_file() { e2e_sjis "$2" "$1"; e2e_winpath "$1"; }

# e2e_clips_file OUT ESCAPED_UTF8_TEXT...   a clips.dat holding these entries,
# newest first: a 16-bit count, then per entry a 16-bit length and its bytes
e2e_clips_file() {
  local out=$1 text length
  shift
  e2e_le16 $# > "$out"
  for text; do
    length=$(printf '%s' "$text" | iconv -f UTF-8 -t CP932 | wc -c)
    e2e_le16 "$length" >> "$out"
    printf '%s' "$text" | iconv -f UTF-8 -t CP932 >> "$out"
  done
}
e2e_le16() { printf '%b' "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8)))"; }

# e2e_long_program_list LAST   a ";"-separated list of program file names longer
# than 2,047 bytes (what a buffer of 2,048 would cut), LAST the last of them
e2e_long_program_list() {
  local i
  for i in $(seq 200); do printf 'program%03d.exe;' "$i"; done
  printf '%s' "$1"
}

# --- waiting ----------------------------------------------------------------

# e2e_wait_until 'SHELL CONDITION' [TIMEOUT]   polls until the condition holds;
# it is evaluated in the caller's variables, so it may set some for later.
e2e_wait_until() {
  local _e2e_deadline=$((SECONDS + ${2:-$E2E_TIMEOUT}))
  while ! eval "$1"; do
    [ "$SECONDS" -ge "$_e2e_deadline" ] && return 1
    sleep 0.1
  done
  return 0
}

# e2e_wait_file FILE [TIMEOUT]   until FILE exists (helpers write files whole)
e2e_wait_file() { e2e_wait_until "[ -e $(printf '%q' "$1") ]" "${2:-}"; }

# e2e_wait_window CLASS [TIMEOUT]   until a visible top-level window of CLASS
# exists in the desktop; prints its winlist line.
e2e_wait_window() {
  local class=$1 timeout=${2:-$E2E_TIMEOUT} line
  local deadline=$((SECONDS + timeout))
  while :; do
    line=$(e2e_winlist --class "$class" --visible 2>/dev/null | head -1)
    [ -n "$line" ] && { printf '%s\n' "$line"; return 0; }
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# e2e_wait_no_window CLASS [TIMEOUT]   until no visible window of CLASS is left
e2e_wait_no_window() {
  e2e_wait_until "[ -z \"\$(e2e_winlist --class $(printf '%q' "$1") --visible 2>/dev/null)\" ]" "${2:-}"
}

# --- programs ---------------------------------------------------------------

# e2e_helper NAME ARGS...   runs helpers/NAME.exe inside the test's desktop
e2e_helper() {
  local name=$1; shift
  E2E_DESKTOP=${E2E_DESKTOP:-} wine "$E2E_HELPERS/$name.exe" "$@"
}
e2e_winlist() { e2e_helper winlist "$@"; }
e2e_focusinfo() { e2e_helper focusinfo "$@"; }
e2e_clipboard() { e2e_helper clipboard "$@"; }
e2e_wintext() { e2e_helper wintext "$@"; }

# e2e_start DESKTOP PROGRAM [ARGS...]
# Starts PROGRAM (a Unix path to an .exe, or a Windows program name such as
# notepad) in the virtual desktop DESKTOP, creating the desktop with a taskbar
# and tray on first use. The program starts in the current folder and inherits
# the environment. Output goes to DESKTOP-PROGRAM.log in the working folder.
# Every program of a test must use the same desktop: the helpers look only there.
e2e_start() {
  local desktop=$1 program=$2; shift 2
  if [ "${E2E_DESKTOP:-}" != "$desktop" ]; then
    # Wine shows the taskbar and its tray only in desktops that ask for it.
    wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f \
      >/dev/null 2>&1
    export E2E_DESKTOP=$desktop
  fi
  [ -f "$program" ] && program=$(e2e_winpath "$program")
  local log
  log="$E2E_WORK/$desktop-$(basename "${program//\\//}").log"
  wine explorer "/desktop=$desktop,$E2E_DESKTOP_SIZE" "$program" "$@" >> "$log" 2>&1 &
  E2E_PIDS+=($!)
  e2e_locate_desktop || { e2e_fail "the virtual desktop $desktop did not appear"; return 1; }
}

# Finds the desktop's X window and its place on the X screen (E2E_DESKTOP_XID,
# E2E_DESKTOP_X, E2E_DESKTOP_Y). Without a window manager it sits at 0,0.
e2e_locate_desktop() {
  local deadline=$((SECONDS + E2E_TIMEOUT)) xid=
  while [ -z "$xid" ]; do
    xid=$(xdotool search --name "^${E2E_DESKTOP} - Wine desktop\$" 2>/dev/null | head -1)
    [ -z "$xid" ] && { [ "$SECONDS" -ge "$deadline" ] && return 1; sleep 0.1; }
  done
  E2E_DESKTOP_XID=$xid  # for tests that look at the X side
  export E2E_DESKTOP_XID
  local info
  info=$(xwininfo -id "$xid")
  E2E_DESKTOP_X=$(awk '/Absolute upper-left X:/ {print $4}' <<< "$info")
  E2E_DESKTOP_Y=$(awk '/Absolute upper-left Y:/ {print $4}' <<< "$info")
}

# e2e_running PROGRAM   true while a process of PROGRAM (e.g. tolvane.exe) runs in
# this test's Wine prefix
e2e_running() {
  local pid
  for pid in $(pgrep -f "$1"); do
    # Only Wine's own processes: a test script named with the program's path
    # (and run from a shell that set WINEPREFIX) would match as well.
    [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == *wine* ]] || continue
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}

# e2e_stop PROGRAM   ends PROGRAM at once and waits until its process is gone, so a
# new copy started next cannot meet the old one's window
e2e_stop() {
  wine taskkill /im "$1" /f >/dev/null 2>&1
  e2e_wait_until "! e2e_running $(printf '%q' "$1")"
}

# --- looking ----------------------------------------------------------------

# e2e_notepad_text FILE   the text of Notepad's edit control, code page 932 bytes
e2e_notepad_text() { e2e_wintext Notepad "$(e2e_winpath "$1")"; }

# e2e_notepad_text_utf8 FILE   the same read through the wide functions, as UTF-8
e2e_notepad_text_utf8() { e2e_wintext --utf8 --get "$(e2e_winpath "$1")"; }

# e2e_set_notepad_text FILE   replaces Notepad's text with the bytes of FILE
e2e_set_notepad_text() { e2e_wintext --set "$(e2e_winpath "$1")"; }

# e2e_menu_rect   "LEFT TOP RIGHT BOTTOM" of the topmost visible popup menu
# (the newest submenu while several are open); fails when none is open.
e2e_menu_rect() {
  local line
  line=$(e2e_winlist --class '#32768' --visible 2>/dev/null | head -1)
  [ -n "$line" ] || return 1
  cut -f5-8 <<< "$line" | tr '\t' ' '
}

# e2e_window_rect CLASS   "LEFT TOP RIGHT BOTTOM" of the first visible CLASS window
e2e_window_rect() {
  local line
  line=$(e2e_winlist --class "$1" --visible 2>/dev/null | head -1)
  [ -n "$line" ] || return 1
  cut -f5-8 <<< "$line" | tr '\t' ' '
}

# e2e_tray_point [N]   "X Y" of the middle of tray icon N: Wine draws the icons
# inside the taskbar (they are no windows), 20 pixels each from its right end;
# N=0, the default, is the rightmost, the first one added.
e2e_tray_point() {
  local rect l t r b
  rect=$(e2e_window_rect Shell_TrayWnd) || return 1
  read -r l t r b <<< "$rect"
  echo "$((r - 10 - 20 * ${1:-0})) $(((t + b) / 2))"
}

# e2e_foreground_class   class of the foreground window
e2e_foreground_class() { e2e_focusinfo 2>/dev/null | awk -F'\t' '$1 == "foreground" {print $3}'; }
# e2e_foreground_hwnd   the foreground window's handle, as winlist prints it
e2e_foreground_hwnd() { e2e_focusinfo 2>/dev/null | awk -F'\t' '$1 == "foreground" {print $2}'; }

# e2e_focus_class   class of the control with the keyboard focus
e2e_focus_class() { e2e_focusinfo 2>/dev/null | awk -F'\t' '$1 == "focus" {print $3}'; }

# e2e_screenshots_dir   WORK_PARENT/../screenshots, made if missing: where the
# tests leave the pictures they take on purpose
e2e_screenshots_dir() {
  local dir
  dir=$(realpath -m "$E2E_WORK/../../screenshots")
  mkdir -p "$dir" && printf '%s' "$dir"
}

# e2e_screenshot FILE   the whole X screen as an image (look at it when a test fails)
e2e_screenshot() { import -window root "$1"; }

# e2e_ink_width SHOT "L T R B"   how wide what is drawn in that desktop area of
# the screenshot SHOT is: the smallest box holding every pixel that differs from
# the area's corners (1 when the area is blank). Two texts drawn alike compare by it.
e2e_ink_width() {
  local l t r b
  read -r l t r b <<< "$2"
  convert "$1" -crop "$((r - l))x$((b - t))+$((l + E2E_DESKTOP_X))+$((t + E2E_DESKTOP_Y))" +repage \
    -trim -format %w info: 2> /dev/null
}

# e2e_pixels X Y W H   the desktop area as text, one pixel a line, to compare
# two moments
e2e_pixels() {
  import -window root -crop "${3}x${4}+$(($1 + E2E_DESKTOP_X))+$(($2 + E2E_DESKTOP_Y))" txt:- 2> /dev/null | tail -n +2
}

# --- driving ----------------------------------------------------------------

# Gives the X keyboard focus to the X window that Wine takes keys from.
e2e_sync_focus() {
  local info target current
  info=$(e2e_focusinfo 2>/dev/null | grep '^xwindow')
  target=$(cut -f2 <<< "$info")
  if [ -z "$target" ] || [ "$((target))" = 0 ]; then
    echo "e2e_sync_focus: no foreground window to type into" >&2
    return 1
  fi
  current=$(xdotool getwindowfocus 2>/dev/null || echo 0)
  [ -n "${E2E_DEBUG:-}" ] && echo "e2e_sync_focus: X focus $(printf 0x%x "$current"), target $info" >&2
  [ "$((current))" = "$((target))" ] && return 0
  # A program in front with only a hidden window has no X window to type into.
  xwininfo -id "$target" 2> /dev/null | grep -q 'Map State: IsViewable' || return 0
  xdotool windowfocus --sync "$((target))" 2> /dev/null
}

# e2e_key KEYS...   xdotool key names, e.g. e2e_key ctrl+q Down Return
e2e_key() {
  e2e_sync_focus
  xdotool key --clearmodifiers --delay 40 "$@"
}

# e2e_type TEXT   types ASCII text (put Japanese text on the clipboard instead)
e2e_type() {
  e2e_sync_focus
  xdotool type --clearmodifiers --delay 40 -- "$1"
}

# e2e_click X Y [BUTTON]   clicks at desktop coordinates (1 left, 3 right)
e2e_click() {
  e2e_move "$1" "$2"
  xdotool click "${3:-1}"
}

# e2e_move X Y   moves the pointer to desktop coordinates
e2e_move() {
  local x=$(($1 + E2E_DESKTOP_X)) y=$(($2 + E2E_DESKTOP_Y))
  # "mousemove --sync" waits for a motion event, which never comes when the
  # pointer is already there.
  [ "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=' | tr '\n' ' ')" = "X=$x Y=$y " ] && return 0
  xdotool mousemove --sync "$x" "$y"
}

# e2e_click_in_rect "L T R B" [BUTTON]   clicks the middle of a rectangle
e2e_click_in_rect() {
  local l t r b
  read -r l t r b <<< "$1"
  e2e_click $(((l + r) / 2)) $(((t + b) / 2)) "${2:-1}"
}

# Moves the pointer off the desktop (bottom right of the X screen when it is
# larger than the desktop), where it hovers over nothing Windows can see.
e2e_park_pointer() {
  local width height
  read -r width height < <(xdpyinfo | awk '/dimensions:/ {split($2, s, "x"); print s[1], s[2]}')
  xdotool mousemove --sync $((width - 1)) $((height - 1))
}

# --- the settings editor ------------------------------------------------------

# e2e_editorctl [OPTIONS] COMMAND...   drives or reads the settings editor (or,
# with --class/--title/--hwnd, another window); see helpers/editorctl.cpp.
# Raw code page 932 output; FILE arguments are Windows paths (e2e_winpath).
e2e_editorctl() { E2E_TIMEOUT=$E2E_TIMEOUT e2e_helper editorctl "$@"; }

# e2e_editor_menu_command PATH MENU_KEY ENTRY_KEY   selects the entry and
# chooses a menu-bar entry by its mnemonics, as a user would
e2e_editor_menu_command() {
  # Selected by message: a click can come while the window is still being given
  # back the focus after a file dialog, and be lost. A click only when the tree
  # has not got the focus back by itself.
  e2e_editorctl select "$1" > /dev/null
  e2e_wait_until '[ "$(e2e_editorctl focus)" = 1003 ]' 5 || {
    e2e_click_in_rect "$(e2e_editorctl itemrect "$1")"
    e2e_wait_until '[ "$(e2e_editorctl focus)" = 1003 ]' 5
  }
  [ "$(e2e_editorctl selected)" = "$1" ] ||
    e2e_fail "item $1 is not selected for alt+$2 $3: $(e2e_editorctl selected)," \
      "focus $(e2e_editorctl focus), $(e2e_focusinfo)"
  local try
  for try in 1 2 3; do
    e2e_key "alt+$2"
    e2e_wait_until 'e2e_menu_rect > /dev/null' 5 && { e2e_key "$3"; return 0; }
    # A key lost on a loaded machine, or a menu mode left over: start afresh.
    e2e_key Escape Escape
    e2e_wait_no_window '#32768' 2
  done
  e2e_fail "alt+$2 opened no menu for $3: $(e2e_focusinfo)"
  return 1
}

# e2e_expect_only_dialog TITLE STEP   stops the test when, after STEP, a
# visible dialog is open whose title (UTF-8) does not start with TITLE: a key
# meant for one window went to another and opened it
e2e_expect_only_dialog() {
  local stray
  stray=$(e2e_winlist --class '#32770' --visible | cut -f3,9 | iconv -f CP932 -t UTF-8 |
    awk -F'\t' -v title="$1" 'index($2, title) != 1 { printf "\"%s\" (process %s) ", $2, $1 }')
  [ -z "$stray" ] || e2e_stop_test "after $2 an unexpected dialog is open: $stray"
}

# e2e_file_dialog TITLE NAME   types NAME into the common dialog titled TITLE
e2e_file_dialog() {
  e2e_editorctl --title "$1" wait-window > /dev/null || { e2e_fail "no dialog \"$1\""; return 1; }
  sleep 0.5
  e2e_key Home shift+End
  e2e_type "$2"
  e2e_key Return
  e2e_wait_until "! e2e_editorctl --title $(printf '%q' "$1") window > /dev/null 2>&1" 5
}

# e2e_editor_tree [OPTIONS]   the tree dump, labels in UTF-8:
#   PATH EXPANDED SELECTED IMAGE LABEL   (tab-separated; PATH "0" is "メニュー")
e2e_editor_tree() {
  local dump
  dump=$(e2e_editorctl "$@" tree) || return 1
  printf '%s\n' "$dump" | iconv -f CP932 -t UTF-8
}

# e2e_editor_label PATH [OPTIONS]   one entry's label in UTF-8; fails when it is missing
e2e_editor_label() {
  local path=$1; shift
  e2e_editor_tree "$@" | awk -F'\t' -v path="$path" '$1 == path { print $5; found = 1 } END { exit !found }'
}

# --- Tolvane ------------------------------------------------------------------

# The first columns of every data file's header line; the root's key, flags and
# corner follow.
E2E_MENU_HEADER='0	メニュー	---ダイレクト設定編集 ワンポイント---データはタブ1つ区切りです(タブ複数不可)．数字データは触らないでください（＾＾；(動作を保証できません)	'

# e2e_write_menu FILE TEXT   a data file from UTF-8 text with LF line ends:
# written with CR LF in code page 932
e2e_write_menu() { e2e_sjis "${2//$'\n'/$'\r\n'}" "$1"; }

# e2e_start_tolvane DESKTOP [ARGS...]   starts ./tolvane.exe and waits for its
# main window
e2e_start_tolvane() {
  local desktop=$1; shift
  e2e_start "$desktop" tolvane.exe "$@"
  e2e_wait_until 'e2e_winlist --class TV2 | grep -q .' ||
    e2e_fail "tolvane did not start (windows: $(e2e_winlist | cut -f2 | tr '\n' ' '))"
}

# e2e_editor_path LABEL   the path of the first editor entry showing LABEL (UTF-8)
e2e_editor_path() {
  e2e_editor_tree | awk -F'\t' -v label="$1" '$5 == label { print $1; found = 1; exit } END { exit !found }'
}

# --- Notepad as the target ------------------------------------------------------

# e2e_reset_notepad   empties Notepad and clicks into it, so its edit control
# has the keyboard focus
e2e_reset_notepad() {
  : > "$E2E_WORK/.empty.txt"
  e2e_set_notepad_text "$E2E_WORK/.empty.txt"
  e2e_click 300 300
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
}

# e2e_expect_read_notepad READER DESCRIPTION   waits for `READER FILE` to give
# the bytes of .notepad.expected, then checks them
e2e_expect_read_notepad() {
  e2e_wait_until "$1"' "$E2E_WORK/.notepad.txt" && cmp -s "$E2E_WORK/.notepad.txt" "$E2E_WORK/.notepad.expected"' 10
  e2e_expect_bytes "$E2E_WORK/.notepad.txt" "$E2E_WORK/.notepad.expected" "$2"
}

# e2e_expect_notepad_utf8 UTF8_TEXT DESCRIPTION   the same, read through the wide
# functions: for characters code page 932 lacks
e2e_expect_notepad_utf8() {
  printf '%s' "$1" > "$E2E_WORK/.notepad.expected"
  e2e_expect_read_notepad e2e_notepad_text_utf8 "$2"
}

# e2e_expect_notepad UTF8_TEXT DESCRIPTION   waits for Notepad to hold exactly
# the text (as code page 932 bytes), then checks it
e2e_expect_notepad() {
  e2e_sjis "$1" "$E2E_WORK/.notepad.expected"
  e2e_expect_read_notepad e2e_notepad_text "$2"
}
