#!/usr/bin/env bash
# The folder popup's settings as a user meets them: the dialog opened from the
# editor's menu (one at a time), its defaults without Vossel.ini, OK writing
# ShowMode and the signed ShowDrives, the states read back, キャンセル changing
# nothing; the radio buttons from the keyboard, an unknown ShowMode read as the
# default; 編集 opening FOLDERS, 追加 registering a folder as a shortcut there
# (Wine's display names are whole paths: the colon becomes a blank); the
# editor's folder button filling an item. A screenshot of the dialog lands in WORK_PARENT/../screenshots.
# Usage: folder_settings_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2012,SC2015,SC2016  # plain names; e2e_pass never fails; waits evaluate later
set -u
source "$(dirname "$0")/lib.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init folder-settings "${1:?helpers folder}" "${2:?work folder}"
SHOTS=$(e2e_screenshots_dir)

e2e_write_menu menu.ini "${E2E_MENU_HEADER}1568	0	0
0	Alpha	first	0	0	0		0
"
cp "$TOLVANE_EXE" .

ctl() { e2e_editorctl "$@"; }
utf8() { iconv -f CP932 -t UTF-8; }
SETTINGS_TITLE="ファイル フォルダ ポップアップメニュー設定 (Vossel)"
SETTINGS=(--title "$SETTINGS_TITLE")
BROWSER=(--title フォルダーの参照 --tree-class SysTreeView32)
OPEN=1053 EXPLORER=1054 CONTENTS=1041 NO_ICONS=1047 HIDE=1049 FILES=1052 DRIVE_C=1017 DRIVE_Z=1040

expect() { [ "$1" = "$2" ] && e2e_pass "$3" || e2e_fail "$3: got [$1], expected [$2]"; }
# The answers of several editorctl commands on one line.
answers() { ctl "$@" | utf8 | tr '\n' ' '; }
# The section as written, without the CRs.
vossel_ini() { tr -d '\r' < Vossel.ini 2> /dev/null | tr '\n' ' '; }
settings_windows() { e2e_winlist --class "#32770" --visible | utf8 | awk -F'\t' -v t="$SETTINGS_TITLE" '$9 == t' | wc -l; }

open_settings() {
  ctl post 31000 > /dev/null
  ctl "${SETTINGS[@]}" wait-window > /dev/null || { e2e_fail "no settings dialog"; return 1; }
}
# radio and box states: 1002 1003 1004 A C Z contents no-icons hide files open explorer
dialog_states() {
  answers "${SETTINGS[@]}" checked 1002 checked 1003 checked 1004 checked 1015 checked $DRIVE_C checked $DRIVE_Z \
    checked $CONTENTS checked $NO_ICONS checked $HIDE checked $FILES checked $OPEN checked $EXPLORER
}
DEFAULT_STATES="0 1 0 1 1 1 1 0 0 0 1 0 "

test_defaults_and_cancel() {
  [ -d FOLDERS ] && e2e_pass "start-up made the FOLDERS directory" || e2e_fail "no FOLDERS directory"
  open_settings || return 1
  sleep 1  # painted before the picture
  e2e_screenshot "$SHOTS/folder-settings.png"
  expect "$(dialog_states)" "$DEFAULT_STATES" "without Vossel.ini: 新しくポップアップ, every drive, contents and 開く"
  ctl --class TV2 post 31000 > /dev/null
  sleep 1
  expect "$(settings_windows)" 1 "command 31000 while the dialog is open opens no second one"
  ctl "${SETTINGS[@]}" click 1004 check $EXPLORER 1 check $DRIVE_C 0 click 2 > /dev/null
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  [ ! -e Vossel.ini ] && e2e_pass "キャンセル writes nothing" || e2e_fail "キャンセル wrote: $(vossel_ini)"
}

test_ok_round_trip() {
  open_settings || return 1
  ctl "${SETTINGS[@]}" click 1002 check $OPEN 0 check $EXPLORER 1 check $DRIVE_C 0 check $FILES 1 click 1 > /dev/null
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  # Every drive but C, the contents submenu, files, no 開く, エクスプローラ: bits 30 and 31 make it negative.
  expect "$(vossel_ini)" "[MENU] ShowMode=1002 ShowDrives=$((134217727 - 4 + (1 << 29) + (1 << 30) + (1 << 31) - (1 << 32))) " \
    "OK writes ShowMode first and ShowDrives as a negative number"
  open_settings || return 1
  expect "$(dialog_states)" "1 0 0 1 0 1 1 0 0 1 0 1 " "reopened, the dialog shows what was written"
  ctl "${SETTINGS[@]}" click 1004 check $OPEN 1 check $EXPLORER 0 check $DRIVE_C 1 check $DRIVE_Z 0 check $CONTENTS 0 \
    check $NO_ICONS 1 check $HIDE 1 check $FILES 0 click 1 > /dev/null
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  expect "$(vossel_ini)" "[MENU] ShowMode=1004 ShowDrives=$(((1 << 25) - 1 + (1 << 27) + (1 << 28))) " \
    "何もしない, no Z, no contents, no icons, hidden registrations"
  open_settings || return 1
  expect "$(dialog_states)" "0 0 1 1 1 0 0 1 1 0 1 0 " "and they read back"
  cp Vossel.ini before-cancel.ini
  ctl "${SETTINGS[@]}" click 1003 check $HIDE 0 check 1015 0 click 2 > /dev/null
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  e2e_expect_bytes Vossel.ini before-cancel.ini "キャンセル leaves Vossel.ini as it was"
  rm Vossel.ini
  open_settings || return 1
  expect "$(dialog_states)" "$DEFAULT_STATES" "with Vossel.ini deleted the dialog shows the defaults again"
}

# radio_states: the check of 1002 1003 1004 and the control with the focus
radio_states() { answers "${SETTINGS[@]}" checked 1002 checked 1003 checked 1004 focus; }

# The radio buttons from the keyboard: the arrows move the check round the
# group and no further. A ShowMode no button stands for reads as the default.
test_keyboard_and_unknown_mode() {
  ctl "${SETTINGS[@]}" click 2 > /dev/null 2>&1  # the dialog is read from the file as it opens
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  printf '[MENU]\r\nShowMode=1007\r\n' > Vossel.ini
  open_settings || return 1
  expect "$(answers "${SETTINGS[@]}" checked 1002 checked 1003 checked 1004)" "0 1 0 " \
    "ShowMode=1007 shows the default, 新しくポップアップ, checked"
  e2e_click_in_rect "$(ctl "${SETTINGS[@]}" rect 1003)"
  e2e_wait_until '[ "$(ctl "${SETTINGS[@]}" focus)" = 1003 ]' 5
  local step want
  for step in "Right:0 0 1 1004" "Right:1 0 0 1002" "Left:0 0 1 1004" "Up:0 1 0 1003"; do
    e2e_key "${step%%:*}"
    want="${step#*:} "
    e2e_wait_until '[ "$(radio_states)" = "$want" ]' 5
    expect "$(radio_states)" "$want" "${step%%:*} moves the check and the focus within the group"
  done
  ctl "${SETTINGS[@]}" click 1 > /dev/null
  e2e_wait_until '[ "$(settings_windows)" = 0 ]' 5
  expect "$(vossel_ini)" "[MENU] ShowMode=1003 ShowDrives=134217727 " "OK stores the mode chosen with the keys"
  rm Vossel.ini
}

# choose_in_browser LABEL   picks the entry LABEL of the open folder browser and presses OK
choose_in_browser() {
  ctl "${BROWSER[@]}" wait-window > /dev/null || { e2e_fail "no folder browser"; return 1; }
  local path
  path=$(ctl "${BROWSER[@]}" tree | utf8 | awk -F'\t' -v l="$1" '$5 == l { print $1; exit }')
  [ -n "$path" ] || { e2e_fail "no entry $1 in the browser: $(ctl "${BROWSER[@]}" tree | utf8 | cut -f5 | tr '\n' '|')"; return 1; }
  ctl "${BROWSER[@]}" select "$path" click 1 > /dev/null
}

is_shortcut() { [ "$(head -c 4 "$1" 2> /dev/null | od -An -tx1 | tr -d ' ')" = 4c000000 ]; }
explorer_windows() { e2e_winlist --class ExplorerWClass --visible | utf8 | awk -F'\t' '$9 == "FOLDERS"' | wc -l; }

test_registered_folders() {
  open_settings || return 1
  ctl "${SETTINGS[@]}" click 1048 > /dev/null
  e2e_wait_until '[ "$(explorer_windows)" -ge 1 ]' 10 && e2e_pass "編集 opens the FOLDERS directory in a window" ||
    { e2e_fail "no FOLDERS window: $(e2e_winlist --visible | utf8 | cut -f2,9 | tr '\n' '|')"; }
  ctl --class ExplorerWClass close > /dev/null 2>&1
  e2e_wait_until '[ "$(explorer_windows)" = 0 ]' 5

  # The shortcut is named after the shell's display name of the folder, which
  # the folder button showed (Wine gives the whole path, colon included).
  local expected
  expected="$(shortcut_name "$DOCUMENTS_NAME").lnk"
  ctl "${SETTINGS[@]}" post 1050 > /dev/null
  choose_in_browser Documents || return 1
  e2e_wait_until '[ "$(explorer_windows)" -ge 1 ]' 10 && e2e_pass "追加 then opens FOLDERS" || e2e_fail "no FOLDERS window"
  [ "$(ls FOLDERS)" = "$expected" ] && is_shortcut "FOLDERS/$expected" &&
    e2e_pass "\"$DOCUMENTS_NAME\" is registered as the shell link \"$expected\"" ||
    e2e_fail "FOLDERS holds: $(ls FOLDERS | tr '\n' '|'), expected $expected"
  ctl --class ExplorerWClass close > /dev/null 2>&1
  e2e_wait_until '[ "$(explorer_windows)" = 0 ]' 5

  ctl "${SETTINGS[@]}" post 1050 > /dev/null
  ctl "${BROWSER[@]}" click 2 > /dev/null
  sleep 1
  expect "$(ls FOLDERS | wc -l) $(explorer_windows)" "1 0" "a cancelled 追加 registers nothing and opens nothing"
  ctl "${SETTINGS[@]}" click 2 > /dev/null
}

# shortcut_name DISPLAY_NAME   the name 追加 gives the shortcut, without ".lnk"
shortcut_name() { printf '%s' "$1" | sed 's/["*:;<>?|]/ /g; s#[/\\]#-#g'; }

test_editor_folder_button() {
  ctl select 1 post 1058 > /dev/null
  choose_in_browser Documents || return 1
  e2e_wait_until '[ "$(ctl combosel 1013)" = 14 ]' 5
  local content
  content=$(ctl gettext 1000 | utf8)
  DOCUMENTS_NAME=$(ctl gettext 1001 | utf8)
  [[ $content == [A-Z]:\\*Documents* ]] && [[ $DOCUMENTS_NAME == *Documents* ]] &&
    e2e_pass "the folder button makes the item a folder popup: \"$DOCUMENTS_NAME\", $content" ||
    e2e_fail "display text [$DOCUMENTS_NAME], content [$content], mode $(ctl combosel 1013)"
}

e2e_start_tolvane settings menu.ini
ctl wait-window > /dev/null || { e2e_fail "no editor for menu.ini"; e2e_finish; }
test_defaults_and_cancel
test_ok_round_trip
test_keyboard_and_unknown_mode
DOCUMENTS_NAME=Documents
test_editor_folder_button
test_registered_folders
e2e_finish
