#!/usr/bin/env bash
# Builds the Windows program and packs dist/tolvane-VERSION-win64.zip: the two
# programs, the starter menu and a Japanese read-me in code page 932, in one
# folder named like the zip. The version is the one the VERSIONINFO carries.
#   TOLVANE_DIST_DIR=DIR  writes the zip there instead of dist/
#   TOLVANE_DIST_NO_BUILD=1  packs what the Windows build already holds
set -euo pipefail
source "$(dirname "$0")/common.sh"

if [ "${TOLVANE_DIST_NO_BUILD:-}" != 1 ]; then
  ensure_packages
  log "Windows build"
  build_windows
fi

version=$(sed -n 's/^#define TOLVANE_VERSION_TEXT *"\(.*\)"$/\1/p' "$TOLVANE_ROOT/res/resource.h")
[ -n "$version" ] || { echo "no TOLVANE_VERSION_TEXT in res/resource.h" >&2; exit 1; }
name=tolvane-$version-win64
mkdir -p "${TOLVANE_DIST_DIR:-$TOLVANE_ROOT/dist}"
out_dir=$(cd "${TOLVANE_DIST_DIR:-$TOLVANE_ROOT/dist}" && pwd)
win=$BUILD_ROOT/win

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
cp "$win/app/org_text.ini" "$stage/$name/"
# The build keeps debugging information; a user's copy does not need it.
for program in "$win/app/tolvane.exe" "$win/tools/tvtool/tvtool.exe"; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$program")" "$program"
done
# Notepad on Windows reads a read-me without a byte-order mark as the ANSI code page.
sed "s/@VERSION@/$version/; s/\$/\r/" "$TOLVANE_ROOT/res/readme_ja.txt" | iconv -f UTF-8 -t CP932 > "$stage/$name/README.txt"

rm -f "$out_dir/$name.zip"
(cd "$stage" && zip -q -X -r "$out_dir/$name.zip" "$name")
log "wrote $out_dir/$name.zip"
