#!/usr/bin/env bash
# Kills `tvtool history-rewrite` with SIGKILL at random moments while it saves a
# history of long Unicode entries over the target's clips.dat and its companion.
# Three histories take turns, each with one entry more at the front and one
# fewer at the end than the one before, so most entries are in both files of a
# save, and no save writes what the one before it replaced. Every time, the target must read back as the
# complete old or the complete new history, every entry with its characters:
# a kill between the two files must not cost the entries their Unicode form.
# Usage: history_kill_test.sh TVTOOL [RUNS]
set -u
TVTOOL=$1
RUNS=${2:-100}
source "$(dirname "$0")/kill_lib.sh"

# make_history FIRST LAST NAME: entries FIRST..LAST, newest first, each about
# 40 KB with an emoji, as NAME.dat and a companion of the first form, NAME.u8.
make_history() {
  python3 - "$@" <<'PY'
import struct, sys
first, last, name = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
def fnv(data, h=0xCBF29CE484222325):
    for b in data:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    return h
texts = ["entry %d \U0001F600 %s" % (i, ("line %d " % i) * 4000) for i in range(last, first - 1, -1)]
stored = [t.replace("\U0001F600", "??").encode("ascii") for t in texts]
dat = struct.pack("<H", len(texts)) + b"".join(struct.pack("<H", len(s)) + s for s in stored)
u8 = "TolvaneClipsU8\t1\t%016x\r\n" % fnv(dat)
for i, (s, t) in enumerate(zip(stored, texts)):
    u8 += "%d\t%016x\t%s\r\n" % (i, fnv(t.encode(), fnv(b"\0", fnv(s))), t)
open(name + ".dat", "wb").write(dat)
open(name + ".u8", "wb").write(u8.encode())
PY
}
make_history 1 60 a && make_history 2 61 b && make_history 3 62 c
declare -A next=([a]=b [b]=c [c]=a)
for h in a b c; do
  "$TVTOOL" history-list "$h.dat" --utf8 > "$h.list" 2> "$h.err" || { echo "FAIL: $h"; cat "$h.err"; exit 1; }
  [ ! -s "$h.err" ] && grep -q '😀' "$h.list" || { echo "FAIL: $h.list lacks its texts"; cat "$h.err"; exit 1; }
done

# Timed over a history already there: a save reads the one it replaces.
"$TVTOOL" history-rewrite a.dat timing.dat
save_ms=$(elapsed_ms "$TVTOOL" history-rewrite b.dat timing.dat)

"$TVTOOL" history-rewrite a.dat target.dat
old=a kept_old=0 got_new=0
for run in $(seq "$RUNS"); do
  new=${next[$old]}
  kill_at_random "$save_ms" "$TVTOOL" history-rewrite "$new.dat" target.dat
  "$TVTOOL" history-list target.dat --utf8 > target.list 2> /dev/null
  if cmp -s target.list "$new.list"; then
    old=$new got_new=$((got_new + 1))
  elif cmp -s target.list "$old.list"; then
    kept_old=$((kept_old + 1))
  else
    echo "FAIL: run $run left a history that is neither the old nor the new one whole:"
    diff "$old.list" target.list | cut -c1-60 | head -5
    exit 1
  fi
done
echo "$RUNS kills (a save takes about $save_ms ms): $kept_old left the old history, $got_new the new one"
[ "$kept_old" -gt 0 ] && [ "$got_new" -gt 0 ] || { echo "FAIL: every run ended the same way"; exit 1; }
