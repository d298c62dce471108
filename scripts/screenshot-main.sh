#!/bin/sh
# Pictures of the window program's main window after a search on the demo network, in both form
# modes and with its Edit menu open, taken on a virtual display of its own with fresh settings:
# build/screenshots/main-simple.png, main-menu.png and main-advanced.png.
# Usage: scripts/screenshot-main.sh [--mask MASKS]
set -eu
cd "$(dirname "$0")/.."
mask='*.txt;*.doc'
if [ "${1:-}" = "--mask" ]; then
    mask="$2"
fi
cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target Varnokle vk_help vk_tips wineprefix vk_probe >/dev/null
exec python3 scripts/varnokle_drive.py demo --build build/win --network demo/network --mask "$mask" \
    --shot build/screenshots/main-simple.png --menu-shot build/screenshots/main-menu.png \
    --advanced-shot build/screenshots/main-advanced.png --fresh
