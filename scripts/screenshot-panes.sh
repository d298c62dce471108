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

# Wine sees the Linux root as Z:.
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }

work="$(mktemp -d)"
xvfb_pid=""
shot_pid=""
cleanup() {
    touch "$work/stop"
    if [ -n "$shot_pid" ]; then
        wait "$shot_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A display number that nothing uses yet.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

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
