#!/bin/sh
# Builds the Windows program's tip of the day and takes a picture of its dialog with the program's
# tips file, under Wine on a virtual display.
# Usage: scripts/screenshot-tip.sh [output.png]   (default: build/screenshots/tip.png)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
out="${1:-$root/build/screenshots/tip.png}"
mkdir -p "$(dirname "$out")"

cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target vk_tip_shot wineprefix >/dev/null

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
bmp="$(mktemp --suffix=.bmp)"
trap 'rm -f "$bmp"' EXIT INT TERM
cmake/with-display.sh build/win/wine-run.sh build/win/tests/vk_tip_shot.exe "$(winpath "$root/res/Tips.tip")" \
    "$(winpath "$bmp")"
/usr/bin/convert "$bmp" "$out"
echo "$out"
