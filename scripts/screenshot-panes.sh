#!/bin/sh
# Builds the Windows program's panes and takes a picture of the network tree beside the result
# list on the demo network, under Wine on a virtual display of its own.
# Usage: scripts/screenshot-panes.sh [output.png]   (default: build/screenshots/panes.png)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
out="${1:-$root/build/screenshots/panes.png}"
mkdir -p "$(dirname "$out")"

cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target vk_pane_shot wineprefix >/dev/null

# shellcheck source=scripts/picture-session.sh
. "$root/scripts/picture-session.sh"

DISPLAY=":$display" build/win/wine-run.sh build/win/tests/vk_pane_shot.exe "$(winpath "$root/demo/network")" \
    "$(winpath "$work/ready")" "$(winpath "$work/stop")" 120 >"$work/shot.log" 2>&1 &
shot_pid=$!
for _ in $(seq 600); do
    [ -e "$work/ready" ] && break
    if ! kill -0 "$shot_pid" 2>/dev/null; then
        cat "$work/shot.log" >&2
        echo "screenshot-panes: the pane program ended before it was ready" >&2
        exit 1
    fi
    sleep 0.1
done
[ -e "$work/ready" ] || { echo "screenshot-panes: the panes did not come up" >&2; exit 1; }
sleep 0.5

# The program's window covers the top left of the screen; cut the picture to it.
DISPLAY=":$display" /usr/bin/import -window root -crop 1000x620+0+0 +repage "$out"
echo "$out"
