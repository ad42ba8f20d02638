#!/usr/bin/env bash
# Drives tvtool from the outside as a user would, and compares output bytes.
# Usage: tvtool_test.sh TVTOOL [RUNNER]   (RUNNER is "wine" for the Windows build)
set -u
TVTOOL=$1
RUNNER=${2:-}
DATA=$(cd "$(dirname "$0")/data" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 2

passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

tvtool() { $RUNNER "$TVTOOL" "$@"; }
# Test inputs are kept as UTF-8 and turned into the program's code page here.
sjis() { iconv -f UTF-8 -t CP932 "$DATA/$1" > "$2"; }
# A Japanese command-line argument: the native program takes code page 932 bytes,
# while Wine decodes its Unix arguments as UTF-8 and hands the program code page 932.
japanese_arg() { if [ -n "$RUNNER" ]; then printf '%s' "$1"; else printf '%s' "$1" | iconv -f UTF-8 -t CP932; fi; }

expect_exit() {  # expect_exit CODE DESCRIPTION -- command...
  local want=$1 what=$2; shift 3
  "$@" > out.log 2> err.log
  local got=$?
  [ "$got" = "$want" ] && ok || fail "$what: exit $got, expected $want; stderr: $(cat err.log)"
}

expect_same() {  # expect_same FILE EXPECTED DESCRIPTION
  if cmp -s "$1" "$2"; then ok; else fail "$3: $(cmp "$1" "$2" 2>&1)"; fi
}

sjis example.ini.utf8 example.ini
sjis example.xml.utf8 expected.xml
sjis example-outline.txt.utf8 expected-outline.txt
sjis example-item1.ini.utf8 expected-item1.ini
sjis handmade.ini.utf8 handmade.ini

# Data file round trip and the subtree form.
expect_exit 0 "rewrite" -- tvtool rewrite example.ini rewritten.ini
expect_same rewritten.ini example.ini "rewrite keeps every byte of a written file"
expect_exit 0 "rewrite --item" -- tvtool rewrite example.ini item1.ini --item 1
expect_same item1.ini expected-item1.ini "rewrite --item 1 writes the subtree form"

# Exports.
expect_exit 0 "xml" -- tvtool xml example.ini out.xml
expect_same out.xml expected.xml "xml export of the whole menu"
expect_exit 0 "outline" -- tvtool outline example.ini out.txt
expect_same out.txt expected-outline.txt "outline export of the whole menu"
expect_exit 0 "xml --item 1/1" -- tvtool xml example.ini leaf.xml --item 1/1
grep -q '<item><mode>inputDataString</mode>' leaf.xml && ! grep -q rootItem leaf.xml && ok ||
  fail "xml --item 1/1 exports the leaf without rootItem"

# Bad selections, inputs and outputs: clear errors and nothing half-written.
expect_exit 2 "--item out of range" -- tvtool xml example.ini bad.xml --item 3
[ ! -e bad.xml ] && ok || fail "--item out of range leaves no file"
expect_exit 2 "missing input" -- tvtool rewrite nosuch.ini out2.ini
echo "keep me" > precious.ini
expect_exit 1 "not a menu file" -- tvtool rewrite precious.ini precious.ini
[ "$(cat precious.ini)" = "keep me" ] && ok || fail "a rejected input is never overwritten"
expect_exit 2 "unwritable output" -- tvtool rewrite example.ini no/such/dir/out.ini
ls no 2>/dev/null && fail "unwritable output created something" || ok
expect_exit 2 "wrong arguments" -- tvtool rewrite example.ini
expect_exit 2 "unknown command" -- tvtool frobnicate

# check: counts, depth and the warnings a hand-editor needs.
expect_exit 0 "check example" -- tvtool check example.ini
grep -q '^items: 3$' out.log && grep -q '^depth: 2$' out.log && ok || fail "check example: $(cat out.log)"
expect_exit 0 "check handmade" -- tvtool check handmade.ini
grep -q '^items: 2$' out.log && ok || fail "check handmade counts: $(cat out.log)"
grep -q 'line 2: "{"' out.log && ok || fail "check reports the ignored { on line 2: $(cat out.log)"
grep -q 'line 7: "}"' out.log && ok || fail "check reports the unmatched } on line 7: $(cat out.log)"
: > empty.ini
expect_exit 1 "check empty" -- tvtool check empty.ini
grep -q 'empty' err.log && ok || fail "check says the file is empty: $(cat err.log)"

# A data file saved as UTF-8 (with a byte-order mark or without) reads as meant
# and is written as code page 932; one that cannot be converted names its line.
cp "$DATA/example.ini.utf8" utf8.ini
printf '\xEF\xBB\xBF' | cat - utf8.ini > utf8bom.ini
for input in utf8.ini utf8bom.ini; do
  expect_exit 0 "check $input" -- tvtool check "$input"
  grep -q '^encoding: UTF-8' out.log && grep -q '^items: 3$' out.log && ok || fail "check $input: $(cat out.log)"
  expect_exit 0 "rewrite $input" -- tvtool rewrite "$input" "$input.out"
  expect_same "$input.out" example.ini "rewrite of $input writes code page 932"
done
{ cat utf8.ini; printf '0\tsmile\xF0\x9F\x98\x80\t\t0\t0\t0\t\t0\r\n'; } > emoji.ini
expect_exit 1 "check unconvertible" -- tvtool check emoji.ini
grep -q "line $(($(wc -l < utf8.ini) + 1)) has a character" err.log && grep -q 'emoji.ini.rejected' err.log && ok ||
  fail "check names the line and the kept name: $(cat err.log)"

# A character beyond code page 932 in a content is kept as its \u{hex} escape;
# an escape that is not a character's code is kept as written, and check names its line.
{ cat utf8.ini; printf '1\tsmile\tok \xF0\x9F\x98\x80 \xC2\xA5\t0\t0\t0\t\t0\r\n1\tbad\t\\u{D800}\t0\t0\t0\t\t0\r\n'; } > content.ini
expect_exit 0 "check a content beyond code page 932" -- tvtool check content.ini
line=$(($(wc -l < utf8.ini) + 2))
grep -q "^warning: line $line: the content has a \"\\\\u{\"" out.log && ok || fail "check names the malformed escape: $(cat out.log)"
expect_exit 0 "rewrite a content beyond code page 932" -- tvtool rewrite content.ini content.out
grep -aq "$(printf '\tsmile\tok \\\\u{1F600} \\\\u{A5}\t')" content.out && ok || fail "rewrite keeps the emoji and ¥ as escapes"
grep -aq "$(printf '\tbad\t\\\\\\\\u{D800}\t')" content.out && ok || fail "rewrite keeps a malformed escape as text"

# Items beyond the id space are kept byte for byte, and check warns about them.
{ head -1 example.ini; for _ in $(seq 44000); do printf '0\tx\t\t0\t0\t0\t\t0\r\n'; done; } > many.ini
expect_exit 0 "rewrite many" -- tvtool rewrite many.ini many.out
expect_same many.out many.ini "44000 items are rewritten byte for byte"
expect_exit 0 "check many" -- tvtool check many.ini
grep -q 'warning: line 43801: 201 items' out.log && ok || fail "check warns about items without ids: $(cat out.log)"

# The date language at a fixed local time, printed as one line.
printf '%s\n' '2002年05月20日(Monday Mon 月曜日) PM 03(15):04:05 (May May 02)' | iconv -f UTF-8 -t CP932 > expected-date.txt
expect_exit 0 "date" -- tvtool date "$(japanese_arg '%Y年%m月%d日(%A %a %f曜日) %p %I(%H):%M:%S (%b %B %y)')" --at "2002-05-20 15:04:05"
expect_same out.log expected-date.txt "date expands the default format"
expect_exit 2 "date with an impossible time" -- tvtool date "%Y" --at "2023-02-30 10:00:00"
# Japanese eras on both sides of their first days.
for case in "2019-04-30|平成31年" "2019-05-01|令和元年" "2026-12-08|令和8年" "1989-01-07|昭和64年"; do
  printf '%s\n' "${case#*|}" | iconv -f UTF-8 -t CP932 > expected-era.txt
  expect_exit 0 "date %EY on ${case%|*}" -- tvtool date "%EY" --at "${case%|*} 12:00:00"
  expect_same out.log expected-era.txt "date %EY on ${case%|*}"
done

# Abbreviations: a ninth column only where an item has one, kept through a
# rewrite and the part export; check names what cannot expand.
{ head -1 example.ini; printf '1\tsig\t--\t0\t0\t0\t\t0\t;sg\r\n1\tagain\tx\t0\t0\t0\t\t0\t;sg\r\n'
  printf '3\tline\t\t0\t0\t0\t\t0\tzz\r\n1\tlong\ty\t0\t0\t0\t\t0\t%s\r\n' "$(printf 'a%.0s' $(seq 40))"; } > abbrev.ini
expect_exit 0 "rewrite with abbreviations" -- tvtool rewrite abbrev.ini abbrev.out
{ head -4 abbrev.ini; printf '1\tlong\ty\t0\t0\t0\t\t0\t%s\r\n' "$(printf 'a%.0s' $(seq 31))"; } > abbrev.expected
expect_same abbrev.out abbrev.expected "rewrite keeps abbreviations and cuts one to 31 bytes"
expect_exit 0 "rewrite --item with an abbreviation" -- tvtool rewrite abbrev.ini abbrev-item.out --item 2
tail -1 abbrev-item.out | grep -q "	;sg"$'\r'"$" && ok || fail "the part export keeps the abbreviation: $(tail -1 abbrev-item.out)"
expect_exit 0 "check abbreviations" -- tvtool check abbrev.ini
grep -q 'item 2: the abbreviation ";sg" never expands: item 1 comes first' out.log &&
  grep -q 'item 3: the abbreviation "zz" never expands' out.log &&
  grep -q 'line 5: the abbreviation is longer than 31 bytes' out.log && ok ||
  fail "check warns about abbreviations: $(cat out.log)"

# Program items with a key that types a character (K alone, Shift+1) or a
# one-character abbreviation: check fails and names each line; the file stays
# as written. Ctrl+Alt+K with ";z", and a phrase with K alone, are fine.
{ head -1 example.ini; printf '2\tkey\tnotepad.exe\t75\t0\t0\t\t0\r\n0\tfolder\t\t0\t0\t0\t\t0\r\n{\r\n'
  printf '\t2\tweb\thttps://www.example.jp/\t305\t0\t0\t\t0\tz\r\n}\r\n'
  printf '2\tarmed\tnotepad.exe\t1611\t0\t0\t\t0\t;z\r\n1\tphrase\tk\t75\t0\t0\t\t0\tk\r\n'; } > typing.ini
cp typing.ini typing.before
expect_exit 1 "check program items that typing sets off" -- tvtool check typing.ini
grep -q 'line 2: the item runs a program or opens a URL, and its shortcut key types a character' err.log &&
  grep -q 'line 5: .*its shortcut key types a character' err.log &&
  grep -q 'line 5: the item runs a program or opens a URL, and its abbreviation is one character' err.log &&
  ! grep -q 'line [6-9]' err.log && ! grep -q '"z" never expands' out.log && grep -q '^items: 5$' out.log && ok ||
  fail "check names the program items typing sets off: $(cat out.log err.log)"
expect_same typing.ini typing.before "check leaves the file as it was"
expect_exit 0 "rewrite keeps them" -- tvtool rewrite typing.ini typing.out
expect_same typing.out typing.ini "rewrite keeps their keys and abbreviations byte for byte"

# Clipboard history files.
printf '\x02\x00\x03\x00abc\x04\x00a\\tb' > clips.dat
expect_exit 0 "history-list" -- tvtool history-list clips.dat
[ "$(cat out.log)" = "$(printf 'abc\na\\tb')" ] && ok || fail "history-list prints escaped entries: $(cat out.log)"
expect_exit 0 "history-rewrite" -- tvtool history-rewrite clips.dat clips2.dat
expect_same clips2.dat clips.dat "history-rewrite keeps the bytes"
# An entry that its zero byte leaves empty is dropped, not written with length 0.
printf '\x02\x00\x03\x00abc\x02\x00\x00x' > zero.dat
expect_exit 0 "history-rewrite of an entry empty up to its zero" -- tvtool history-rewrite zero.dat zero2.dat
printf '\x01\x00\x03\x00abc' > zero.expected
expect_same zero2.dat zero.expected "an entry empty once cut is not kept"
expect_exit 2 "history-list of a missing file" -- tvtool history-list nosuch.dat
[ ! -e nosuch.dat ] && ok || fail "history-list does not create a missing file"

# Entries beyond code page 932: clips.dat keeps their code page 932 form, the
# companion clips.u8 their whole text, tied to this very clips.dat.
python3 - <<'PY'
import struct
def fnv(data, h=0xCBF29CE484222325):
    for b in data: h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h
whole = "絵文字\U0001F600\\t".encode()
stored = "絵文字??\\t".encode("cp932")
clips = struct.pack("<HH", 2, len(stored)) + stored + struct.pack("<H", 3) + b"abc"
line = b"0\t%016x\t" % fnv(whole, fnv(b"\0", fnv(stored))) + whole + b"\r\n"
open("uni.dat", "wb").write(clips)
open("uni.u8", "wb").write(b"TolvaneClipsU8\t1\t%016x\r\n" % fnv(clips) + line)
PY
expect_exit 0 "history-list --utf8" -- tvtool history-list uni.dat --utf8
[ "$(cat out.log)" = "$(printf '絵文字\U0001F600\\t\nabc')" ] && ok || fail "history-list --utf8 shows whole texts: $(cat out.log)"
expect_exit 0 "history-list of entries beyond code page 932" -- tvtool history-list uni.dat
[ "$(iconv -f CP932 -t UTF-8 out.log)" = "$(printf '絵文字\\u{1F600}\\t\nabc')" ] && grep -q -- --utf8 err.log && ok ||
  fail "history-list shows escapes and points to --utf8: $(cat out.log) $(cat err.log)"
expect_exit 0 "history-rewrite with a companion" -- tvtool history-rewrite uni.dat uni2.dat
expect_same uni2.dat uni.dat "history-rewrite keeps clips.dat's bytes"
expect_exit 0 "history-list of the rewritten file" -- tvtool history-list uni2.dat --utf8
[ "$(cat out.log)" = "$(printf '絵文字\U0001F600\\t\nabc')" ] && [ "$(head -c 17 uni2.u8)" = $'TolvaneClipsU8\t2\t' ] && ok ||
  fail "history-rewrite writes the companion beside it, in its second form: $(cat out.log) $(head -c 40 uni2.u8)"
printf 'x' >> uni.dat
expect_exit 0 "history-list with a companion of another file" -- tvtool history-list uni.dat --utf8
[ "$(head -1 out.log)" = '絵文字??\t' ] && grep -q 'belongs to another' err.log && ok ||
  fail "a companion of another clips.dat is not used: $(cat out.log) $(cat err.log)"

echo "tvtool: $passed passed, $failed failed"
[ "$failed" = 0 ]
