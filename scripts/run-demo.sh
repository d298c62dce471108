#!/bin/sh
# Installs what is missing, builds the window program and starts it under Wine on the demo network.
# On a machine with a display the program opens there, with your settings. Without a display (or
# with --headless) it runs on a virtual display of its own with fresh settings, answers the tip of
# the day, searches for a mask by itself, writes a picture of the main window and prints where it
# is. The program runs in build/demo-run as its current directory (it keeps vk.set in
# %APPDATA%\Varnokle of the build's Wine prefix).
# Usage: scripts/run-demo.sh [--headless] [--mask MASKS] [picture.png]
#        (default mask '*.txt;*.doc', default picture build/screenshots/demo.png)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
headless=""
mask='*.txt;*.doc'
shot="$root/build/screenshots/demo.png"
while [ $# -gt 0 ]; do
    case "$1" in
    --headless) headless=1 ;;
    --mask) mask="$2"; shift ;;
    -*) echo "usage: scripts/run-demo.sh [--headless] [--mask MASKS] [picture.png]" >&2; exit 2 ;;
    *) shot="$1" ;;
    esac
    shift
done

sh scripts/install-deps.sh
sh scripts/make-demo-bigfiles.sh
echo "Building the window program (the first time takes a few minutes)..."
cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target Varnokle vk_help vk_tips wineprefix vk_probe >/dev/null
network="$root/demo/network"

if [ -n "${DISPLAY:-}" ] && [ -z "$headless" ]; then
    export WINEPREFIX="$root/build/win/wineprefix"
    # Wine's desktop starts afresh on this display; the window manager manages the window.
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    build/win/wine-run.sh reg delete 'HKCU\Software\Wine\AppDefaults\Varnokle.exe\X11 Driver' /f >/dev/null 2>&1 || true
    mkdir -p build/demo-run
    cd build/demo-run
    VARNOKLE_NETWORK="Z:$(printf '%s' "$network" | tr / '\\')" exec "$root/build/win/wine-run.sh" \
        "$root/build/win/src/Varnokle.exe"
fi
exec python3 scripts/varnokle_drive.py demo --build build/win --network "$network" --mask "$mask" --shot "$shot" \
    --workdir build/demo-run --fresh
