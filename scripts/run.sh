#!/usr/bin/env bash
# Builds the program alone (scripts/test.sh builds the tests too) and starts it
# under Wine in a virtual desktop, in a working folder with the bundled initial
# menu, together with Wine's Notepad to paste into.
# Ctrl+Alt+Space opens the menu (the initial menu's shortcut key); the tray icon
# at the bottom right opens it with a right click.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_japanese_locale
log "Windows build of the program"
build_windows_program
wine_environment
ensure_display

desktop=tolvane
workdir=$BUILD_ROOT/run
mkdir -p "$workdir"
cp "$BUILD_ROOT/win/app/tolvane.exe" "$BUILD_ROOT/win/app/org_text.ini" "$workdir/"
cd "$workdir"
# Wine shows a taskbar with its tray only in desktops that ask for one.
wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1

log "starting Notepad and Tolvane in $workdir (Wine desktop '$desktop' on display $DISPLAY)"
wine explorer "/desktop=$desktop,1024x700" notepad.exe >/dev/null 2>&1 &
sleep 2
wine explorer "/desktop=$desktop,1024x700" tolvane.exe >/dev/null 2>&1 &
cat <<MSG

Tolvane is running. Click into Notepad and press Ctrl+Alt+Space to open the menu
(or right-click the tray icon at the bottom right of the Wine desktop).
Look at the screen:   DISPLAY=$DISPLAY import -window root shot.png
Press a key:          DISPLAY=$DISPLAY xdotool key ctrl+alt+space
Stop everything:      WINEPREFIX=$WINEPREFIX wineserver -k
MSG
if [ -n "${TOLVANE_XVFB_PID:-}" ]; then
  log "Xvfb keeps running in the background (pid $TOLVANE_XVFB_PID) until you stop it."
fi
wait
