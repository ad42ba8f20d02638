#!/usr/bin/env bash
# The distributable: scripts/dist.sh packs the built programs into
# tolvane-VERSION-win64.zip; unpacked into an empty folder, the program starts
# from its starter menu and its shortcut key inserts a phrase into Notepad.
# Usage: dist_test.sh HELPERS_DIR WORK_PARENT BUILD_ROOT
# shellcheck disable=SC2015  # e2e_pass never fails
set -u
source "$(dirname "$0")/lib.sh"
SOURCE_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(realpath "${3:?build root}")
e2e_init dist "${1:?helpers folder}" "${2:?work folder}"
DESKTOP=dist

version=$(sed -n 's/^#define TOLVANE_VERSION_TEXT *"\(.*\)"$/\1/p' "$SOURCE_ROOT/res/resource.h")
name=tolvane-$version-win64

test_package() {
  TOLVANE_BUILD_ROOT=$BUILD TOLVANE_DIST_NO_BUILD=1 TOLVANE_DIST_DIR=$E2E_WORK \
    bash "$SOURCE_ROOT/scripts/dist.sh" > dist.log 2>&1 || { e2e_fail "dist.sh failed: $(cat dist.log)"; return; }
  local listing expected="$name/ $name/README.txt $name/org_text.ini $name/tolvane.exe $name/tvtool.exe"
  listing=$(unzip -Z1 "$name.zip" | sort | paste -sd' ')
  [ "$listing" = "$expected" ] && e2e_pass "$name.zip holds the programs, the starter menu and the read-me" ||
    e2e_fail "$name.zip holds [$listing], expected [$expected]"
  mkdir unpacked && unzip -q "$name.zip" -d unpacked || { e2e_fail "the zip does not unpack"; return; }
  local readme=unpacked/$name/README.txt text
  text=$(iconv -f CP932 -t UTF-8 "$readme") && grep -q 'Ctrl+Alt+Space' <<< "$text" && grep -q 'tv2_text.ini' <<< "$text" &&
    grep -q "Tolvane $version" <<< "$text" && [ "$(grep -c $'\r$' "$readme")" = "$(wc -l < "$readme")" ] &&
    e2e_pass "the read-me is Japanese in code page 932 with CR LF lines: version, shortcut key, files" ||
    e2e_fail "the read-me is not as expected: $(head -3 "$readme" | od -c | head -3)"
  grep -q '「Windows 起動時に Tolvane を起動する」' <<< "$text" && grep -q '削除したり移したりする前に、チェックを外して' <<< "$text" &&
    e2e_pass "the read-me says to untick Windows 起動時に Tolvane を起動する before deleting the folder" ||
    e2e_fail "the read-me does not say to untick the start with Windows"
}

test_unpacked_program_inserts() {
  cd "unpacked/$name" || return
  e2e_start "$DESKTOP" notepad
  e2e_wait_window Notepad > /dev/null || e2e_fail "notepad did not open"
  e2e_start_tolvane "$DESKTOP"
  e2e_wait_file tv2_text.ini && e2e_pass "the first start makes tv2_text.ini from the starter menu" ||
    e2e_fail "no tv2_text.ini in the unpacked folder"
  e2e_click 300 300
  e2e_wait_until '[ "$(e2e_focus_class)" = Edit ]' || e2e_fail "notepad has no focus: $(e2e_focusinfo)"
  e2e_key ctrl+alt+space
  e2e_wait_until 'e2e_menu_rect > /dev/null' || { e2e_fail "Ctrl+Alt+Space opened no menu"; return; }
  e2e_key 1
  e2e_key h
  e2e_sjis $'はじめまして。\r\n○○と申します。どうぞよろしくお願いいたします。' "$E2E_WORK/expected.txt"
  e2e_wait_until 'e2e_notepad_text "$E2E_WORK/got.txt" && cmp -s "$E2E_WORK/got.txt" "$E2E_WORK/expected.txt"' 10
  e2e_expect_bytes "$E2E_WORK/got.txt" "$E2E_WORK/expected.txt" "挨拶 > はじめまして lands in Notepad from the unpacked program"
}

test_package
test_unpacked_program_inserts
e2e_finish
