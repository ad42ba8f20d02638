# shellcheck shell=bash
# A real Japanese input method for the end-to-end tests: Mozc behind uim's XIM
# bridge on the test's Xvfb, typed into with xdotool. Sourced after lib.sh by
# the tests that compose text; e2e_ime_start comes before any Wine program
# starts, since Wine opens the input method named in XMODIFIERS when a program
# starts.
#
# What a program sees under Wine 8 (on-the-spot, Wine's default input style):
# WM_IME_STARTCOMPOSITION, a WM_IME_COMPOSITION per key, and on Return the
# result string, a WM_IME_CHAR per character, WM_IME_ENDCOMPOSITION and a
# WM_CHAR per character. A low-level keyboard hook sees no key-down for a key
# the input method took, only its key-up.
#
# Mozc's server refuses to run as root: both run as "nobody", with a home and
# runtime folder of their own under the test's working folder (uim's helper
# socket follows XDG_RUNTIME_DIR, not HOME). Wine must keep its default input
# style (no InputStyle value under HKCU\Software\Wine\X11 Driver): with "root"
# or "offthespot" uim-xim draws the composition itself and crashes on a bare
# Xvfb.

E2E_IME_USER=${E2E_IME_USER:-65534}
E2E_IME_PIDS=()

# Runs a command as the input method's user, in its own environment.
e2e_ime_as_user() {
  env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" LANG=ja_JP.UTF-8 HOME="$E2E_IME_DIR/home" \
    XDG_RUNTIME_DIR="$E2E_IME_DIR/run" XDG_CONFIG_HOME="$E2E_IME_DIR/home/.config" \
    LIBUIM_USER_SCM_FILE="$E2E_IME_DIR/uim.scm" \
    setpriv --reuid="$E2E_IME_USER" --regid="$E2E_IME_USER" --clear-groups "$@"
}

# True while uim's bridge is registered as an input method server on the display.
e2e_ime_registered() { xprop -root XIM_SERVERS 2> /dev/null | grep -q '@server=uim'; }

# e2e_ime_start   installs what it needs, starts Mozc and the bridge, and
# exports XMODIFIERS for the Wine programs started afterwards
e2e_ime_start() {
  ensure_packages uim-xim uim-mozc x11-utils
  E2E_IME_DIR=$E2E_WORK/ime
  mkdir -p "$E2E_IME_DIR/home/.config" "$E2E_IME_DIR/run"
  chmod 700 "$E2E_IME_DIR/run"
  # Henkan_Mode turns it on, Muhenkan off, Shift+Space toggles.
  local engine keys=
  for engine in generic mozc; do
    keys+="(define $engine-on-key '(\"Henkan_Mode\" \"<Shift> \"))
(define-key $engine-on-key? '(\"Henkan_Mode\" \"<Shift> \"))
(define $engine-off-key '(\"Muhenkan\" \"<Shift> \"))
(define-key $engine-off-key? '(\"Muhenkan\" \"<Shift> \"))
"
  done
  printf '%s' "$keys" > "$E2E_IME_DIR/uim.scm"
  chown -R "$E2E_IME_USER:$E2E_IME_USER" "$E2E_IME_DIR"
  # The Mozc server goes first, so the first composition does not wait for it.
  e2e_ime_as_user /usr/lib/mozc/mozc_server > "$E2E_WORK/mozc.log" 2>&1 &
  E2E_IME_PIDS+=($!)
  e2e_wait_until "[ -S '$E2E_IME_DIR/home/.config/mozc/.session.ipc' ] || [ -s '$E2E_IME_DIR/home/.config/mozc/.session.ipc' ]" 20 ||
    { e2e_fail "the Mozc server did not start: $(tail -3 "$E2E_WORK/mozc.log")"; return 1; }
  e2e_ime_as_user uim-xim --engine=mozc > "$E2E_WORK/uim-xim.log" 2>&1 &
  E2E_IME_PIDS+=($!)
  e2e_wait_until e2e_ime_registered 20 ||
    { e2e_fail "uim-xim did not register: $(tail -3 "$E2E_WORK/uim-xim.log")"; return 1; }
  e2e_on_cleanup e2e_ime_stop
  export XMODIFIERS=@im=uim
}

e2e_ime_stop() {
  local pid
  # setpriv execs the program, so these are the processes themselves.
  for pid in "${E2E_IME_PIDS[@]}"; do kill "$pid" 2> /dev/null; done
  for pid in "${E2E_IME_PIDS[@]}"; do wait "$pid" 2> /dev/null; done
  E2E_IME_PIDS=()
  unset XMODIFIERS
}

# Keys for the input method go to the window with the X focus, as e2e_key's do.
e2e_ime_keys() {
  e2e_sync_focus
  xdotool key --delay 40 "$@"
  sleep 0.3
}
e2e_ime_on() { e2e_ime_keys Henkan_Mode; }
e2e_ime_off() { e2e_ime_keys Muhenkan; }

# e2e_ime_convert ROMAJI   types the reading and converts it with Space, leaving
# the composition open
e2e_ime_convert() {
  e2e_sync_focus
  xdotool type --delay 40 -- "$1"
  sleep 0.3
  e2e_ime_keys space
}

# e2e_ime_compose ROMAJI   the same, committed with Return: "nihongo" gives 日本語
e2e_ime_compose() {
  e2e_ime_convert "$1"
  e2e_ime_keys Return
}
