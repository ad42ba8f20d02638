#!/usr/bin/env bash
# Builds Tolvane and starts it under Wine in a virtual desktop, in a working folder
# with the bundled initial menu, together with Wine's Notepad to paste into.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
ensure_japanese_locale
log "Windows build"
build_windows
wine_environment
ensure_display

workdir=$BUILD_ROOT/run
mkdir -p "$workdir"
for f in "$BUILD_ROOT/win/app/tolvane.exe" "$BUILD_ROOT/win/app/org_text.ini"; do
  [ -f "$f" ] && cp "$f" "$workdir/"
done
cd "$workdir"
log "starting Tolvane in $workdir (desktop 'tolvane' on $DISPLAY)"
wine explorer /desktop=tolvane,1024x700 notepad.exe >/dev/null 2>&1 &
sleep 2
wine explorer /desktop=tolvane,1024x700 tolvane.exe
