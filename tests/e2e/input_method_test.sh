#!/usr/bin/env bash
# Text composed with a real Japanese input method (Mozc, through uim's XIM
# bridge) reaches Wine programs whole, and Tolvane's own fields: the editor's
# content field saves it as composed, the quick search finds a phrase by it.
# Leaves a picture of a composition in progress in the content field.
# Usage: input_method_test.sh HELPERS_DIR WORK_PARENT TOLVANE_EXE
# shellcheck disable=SC2015,SC2016  # e2e_pass never fails; wait conditions are evaluated later
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/ime.sh"
TOLVANE_EXE=$(realpath "${3:?tolvane.exe}")
e2e_init input-method "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=inputmethod
cp "$TOLVANE_EXE" .

e2e_ime_start || e2e_finish

test_notepad() {
  e2e_start "$DESKTOP" notepad
  e2e_wait_window Notepad > /dev/null || { e2e_fail "notepad did not open"; return; }
  e2e_reset_notepad
  e2e_ime_on
  e2e_ime_compose nihongo
  e2e_ime_off
  e2e_expect_notepad_utf8 日本語 "a composition reaches Notepad whole"
}

# A phrase holding 日本語 for the search, and one to write into in the editor.
e2e_write_menu tv2_text.ini "${E2E_MENU_HEADER}1568	0	0
1	国語	日本語の文です	0	0	0		0
1	メモ	a	0	0	0		0
"

test_editor_content() {
  e2e_editorctl --class TV2 post 110 > /dev/null
  e2e_editorctl wait-window > /dev/null || { e2e_fail "the settings editor did not open"; return; }
  e2e_editorctl select "$(e2e_editor_path メモ)" > /dev/null
  e2e_click_in_rect "$(e2e_editorctl rect 1000)"
  e2e_wait_until '[ "$(e2e_editorctl focus)" = 1000 ]' 5 || e2e_fail "the content field did not take the focus"
  e2e_key ctrl+End
  e2e_ime_on
  e2e_ime_convert nihongo
  local shot
  shot="$(e2e_screenshots_dir)/ime-composition.png"
  e2e_screenshot "$shot" && e2e_pass "screenshot of a composition in the content field: $shot" || e2e_fail "no screenshot"
  e2e_ime_keys Return
  e2e_ime_off
  e2e_wait_until '[ "$(e2e_editorctl gettext-utf8 1000)" = a日本語 ]' 5 &&
    e2e_pass "a composition reaches the editor's content field whole" ||
    e2e_fail "the content field holds [$(e2e_editorctl gettext-utf8 1000)]"
  e2e_editorctl click 1014 > /dev/null
  e2e_wait_until "grep -q 'メモ	a日本語	' <(iconv -f CP932 -t UTF-8 tv2_text.ini)" 5 &&
    e2e_pass "and is saved as composed" ||
    e2e_fail "data file: [$(grep -a 'a' tv2_text.ini | iconv -f CP932 -t UTF-8 | tail -2)]"
  e2e_editorctl close > /dev/null
}

test_quick_search() {
  e2e_reset_notepad
  e2e_key ctrl+alt+f
  e2e_wait_until '[ "$(e2e_foreground_class)" = TolvaneSearch ] && [ "$(e2e_focus_class)" = Edit ]' ||
    { e2e_fail "the search window did not open: $(e2e_focusinfo)"; return; }
  e2e_ime_on
  e2e_ime_compose nihongo
  e2e_ime_off
  e2e_wait_until '[ "$(e2e_wintext --class TolvaneSearch --utf8 --get -)" = 日本語 ]' 5 &&
    e2e_pass "a composition reaches the quick search's query whole" ||
    e2e_fail "the query holds [$(e2e_wintext --class TolvaneSearch --utf8 --get -)]"
  e2e_key Return
  e2e_expect_notepad_utf8 日本語の文です "and finds the phrase holding it"
}

test_notepad
e2e_start_tolvane "$DESKTOP"
test_editor_content
test_quick_search
e2e_finish
