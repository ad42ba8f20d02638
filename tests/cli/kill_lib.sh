# shellcheck shell=bash
# Shared by the kill tests: a scratch folder that goes when the test ends, the
# time a save takes, and a save killed at a random moment. Sourced.
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 2

# elapsed_ms COMMAND...   runs COMMAND and prints how many ms it took
elapsed_ms() {
  local start
  start=$(date +%s%N)
  "$@"
  echo $((($(date +%s%N) - start) / 1000000 + 1))
}

# kill_at_random SAVE_MS COMMAND...   runs COMMAND and kills it with SIGKILL at a
# moment from its start to a little after a whole save
kill_at_random() {
  local save_ms=$1 pid delay
  shift
  "$@" &
  pid=$!
  delay=$((RANDOM * 32768 + RANDOM))
  delay=$((delay % (save_ms * 5 / 4 + 1)))
  sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
