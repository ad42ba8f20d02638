#!/usr/bin/env bash
# Kills `tvtool rewrite` with SIGKILL at random moments while it saves a large
# menu over the target, which must always be the complete old or the complete
# new file. The two inputs alternate, so every run's new file differs from the
# old one. Usage: kill_test.sh TVTOOL [RUNS]
set -u
TVTOOL=$1
RUNS=${2:-100}
source "$(dirname "$0")/kill_lib.sh"

# About 10 MB of items with a child every hundredth; WORD makes the two differ.
make_menu() {  # make_menu WORD FILE
  { printf '0\tメニュー\t\t0\t0\t0\r\n' | iconv -f UTF-8 -t CP932
    awk -v w="$1" 'BEGIN { for (i = 0; i < 50000; i++) {
      printf "1\t%s %d\tfirst line %d\\r\\nsecond line %0150d\t0\t0\t0\t\t0\r\n", w, i, i, i
      if (i % 100 == 0) printf "{\r\n1\tchild of %d\t%s\t0\t0\t0\t\t0\r\n}\r\n", i, w } }'
  } > "$2"
}
make_menu alpha a.in && make_menu beta b.in
"$TVTOOL" rewrite a.in a.ini && "$TVTOOL" rewrite b.in b.ini || { echo "FAIL: tvtool rewrite"; exit 1; }

# Kills land anywhere from before the start to a little after a whole save.
save_ms=$(elapsed_ms "$TVTOOL" rewrite a.in timing.ini)

cp a.ini target.ini
old=a.ini kept_old=0 got_new=0
for run in $(seq "$RUNS"); do
  if [ "$old" = a.ini ]; then input=b.in new=b.ini; else input=a.in new=a.ini; fi
  kill_at_random "$save_ms" "$TVTOOL" rewrite "$input" target.ini
  if cmp -s target.ini "$new"; then
    old=$new got_new=$((got_new + 1))
  elif cmp -s target.ini "$old"; then
    kept_old=$((kept_old + 1))
  else
    echo "FAIL: run $run left a target that is neither the old nor the new file ($(wc -c < target.ini) bytes)"
    exit 1
  fi
done
echo "$RUNS kills (a save takes about $save_ms ms): $kept_old left the old file, $got_new the new one"
# A kill that never lands inside a save, or a save that never completes, proves nothing.
[ "$kept_old" -gt 0 ] && [ "$got_new" -gt 0 ] || { echo "FAIL: every run ended the same way"; exit 1; }
