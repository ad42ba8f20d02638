# Shared set-up for the build, run and test scripts: packages, the Japanese
# locale, the Wine prefix and a display. Sourced, not run.

TOLVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT=${TOLVANE_BUILD_ROOT:-$TOLVANE_ROOT/build}
FUZZ_BUILD=${TOLVANE_FUZZ_BUILD:-$BUILD_ROOT/fuzz}

tolvane_packages=(
  cmake make g++ python3 googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 locales
  xvfb xdotool imagemagick fonts-ipafont-gothic x11-utils zip unzip ccache
)

log() { printf '==> %s\n' "$*"; }

# The given packages, or by default everything the builds and tests need.
ensure_packages() {
  local missing=() wanted=("$@")
  [ $# -gt 0 ] || wanted=("${tolvane_packages[@]}")
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Wine's ANSI code page follows LANG, and is 932 only when the glibc locale exists.
ensure_japanese_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    log "generating the ja_JP.UTF-8 locale"
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
}

# The prefix must be created under the Japanese locale, or menus show mojibake.
wine_environment() {
  export LANG=ja_JP.UTF-8
  export WINEPREFIX=${TOLVANE_WINEPREFIX:-$BUILD_ROOT/wine-prefix}
  export WINEARCH=win64
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  [ -f "$WINEPREFIX/.tolvane-fonts" ] || japanese_font_substitutes
}

# Windows dialogs name "ＭＳ Ｐゴシック" and menus "MS UI Gothic"; Wine would draw
# them with a fixed-pitch face, wider than the real ones, which cuts labels. The
# proportional IPA face stands in for them, as the Japanese Windows fonts would.
japanese_font_substitutes() {
  local reg=$WINEPREFIX/tolvane-fonts.reg
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS PGothic"="IPAPGothic"' '"MS UI Gothic"="IPAPGothic"' \
    '"ＭＳ ゴシック"="IPAGothic"' '"MS Gothic"="IPAGothic"' '' |
    iconv -f UTF-8 -t UTF-16 > "$reg"
  wine regedit /S "$reg" >/dev/null 2>&1 && wineserver -w && touch "$WINEPREFIX/.tolvane-fonts"
}

# Uses $DISPLAY when there is one; otherwise starts Xvfb on a free display.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n=${TOLVANE_XVFB_DISPLAY:-97}
  while [ -e "/tmp/.X$n-lock" ] && ! DISPLAY=:$n xdpyinfo >/dev/null 2>&1; do n=$((n + 1)); done
  export DISPLAY=:$n
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    TOLVANE_XVFB_PID=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    log "started Xvfb on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"
  fi
}

build_native() {
  cmake -S "$TOLVANE_ROOT" -B "$BUILD_ROOT/native" -G "Unix Makefiles" "$@" >/dev/null
  cmake --build "$BUILD_ROOT/native" -j "$(nproc)"
}

configure_windows() {
  cmake -S "$TOLVANE_ROOT" -B "$BUILD_ROOT/win" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$TOLVANE_ROOT/cmake/mingw-w64.cmake" "$@" >/dev/null
}

build_windows() {
  configure_windows "$@"
  cmake --build "$BUILD_ROOT/win" -j "$(nproc)"
}

# Only tolvane.exe and the starter menu it is built with (org_text.ini): what
# running the program needs, without the tests and their helpers.
build_windows_program() {
  configure_windows "$@"
  cmake --build "$BUILD_ROOT/win" -j "$(nproc)" --target tolvane
}
