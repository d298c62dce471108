#!/bin/sh
# Builds the Windows program's panes and takes a picture of them on the demo network, under Wine
# on a virtual display of its own: the network tree beside the result list, or with --frame the
# main frame (menu, toolbar, splitters, status bar) with a test form in the lower pane, with
# --frame-advanced the same with the taller test form, or with --high-contrast the main frame in a
# black high-contrast scheme (the system's colours instead of the program's blue text).
# Usage: scripts/screenshot-panes.sh [--frame|--frame-advanced|--high-contrast] [output.png]
#        (default: build/screenshots/panes.png, frame.png, frame-advanced.png or high-contrast.png)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
tool=vk_pane_shot
name=panes
size=1000x620
extra=""
case "${1:-}" in
--frame) tool=vk_frame_shot name=frame size=1100x700; shift ;;
--frame-advanced) tool=vk_frame_shot name=frame-advanced size=1100x700 extra=advanced; shift ;;
--high-contrast) tool=vk_frame_shot name=high-contrast size=1100x700 extra=high-contrast; shift ;;
esac
out="${1:-$root/build/screenshots/$name.png}"
mkdir -p "$(dirname "$out")"

cmake --preset win >/dev/null
cmake --build --preset win -j "$(nproc)" --target "$tool" wineprefix >/dev/null

# shellcheck source=scripts/picture-session.sh
. "$root/scripts/picture-session.sh"

# shellcheck disable=SC2086
DISPLAY=":$display" build/win/wine-run.sh "build/win/tests/$tool.exe" "$(winpath "$root/demo/network")" \
    "$(winpath "$work/ready")" "$(winpath "$work/stop")" 120 $extra >"$work/shot.log" 2>&1 &
shot_pid=$!
for _ in $(seq 600); do
    [ -e "$work/ready" ] && break
    if ! kill -0 "$shot_pid" 2>/dev/null; then
        cat "$work/shot.log" >&2
        echo "screenshot-panes: $tool ended before it was ready" >&2
        exit 1
    fi
    sleep 0.1
done
[ -e "$work/ready" ] || { echo "screenshot-panes: the panes did not come up" >&2; exit 1; }
sleep 0.5

# The program's window covers the top left of the screen; cut the picture to it.
DISPLAY=":$display" /usr/bin/import -window root -crop "$size+0+0" +repage "$out"
echo "$out"
