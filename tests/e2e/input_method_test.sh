#!/usr/bin/env bash
# Text composed with a real Japanese input method (Mozc, through uim's XIM
# bridge) reaches Wine programs whole.
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

test_notepad
e2e_finish
