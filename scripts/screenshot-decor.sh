#!/bin/sh
# Builds the decoration's picture tool and takes pictures of the owner-drawn menus (the File, Edit,
# View and Help drop-downs, one with its sub-menu open), of a dialog with the flat look and of the
# system's "Save As" dialog with it, under
# Wine on a virtual display of its own.
# Usage: scripts/screenshot-decor.sh [output-folder]   (default: build/screenshots)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
out="${1:-$root/build/screenshots}"
mkdir -p "$out"

cmake --preset win >/dev/null
cmake --build --preset win -j 2 --target vk_decor_shot wineprefix >/dev/null

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

# shoot NAME GEOMETRY ARGS...: runs the tool with ARGS READY STOP, waits until it is ready, takes the
# picture cut to GEOMETRY, and lets the tool end.
shoot() {
    name="$1"
    geometry="$2"
    shift 2
    rm -f "$work/ready" "$work/stop"
    DISPLAY=":$display" build/win/wine-run.sh build/win/tests/vk_decor_shot.exe "$@" \
        "$(winpath "$work/ready")" "$(winpath "$work/stop")" >"$work/shot.log" 2>&1 &
    shot_pid=$!
    for _ in $(seq 600); do
        [ -e "$work/ready" ] && break
        if ! kill -0 "$shot_pid" 2>/dev/null; then
            cat "$work/shot.log" >&2
            echo "screenshot-decor: the tool ended before the $name picture was ready" >&2
            exit 1
        fi
        sleep 0.1
    done
    [ -e "$work/ready" ] || { echo "screenshot-decor: the $name picture did not come up" >&2; exit 1; }
    sleep 0.3
    DISPLAY=":$display" /usr/bin/import -window root -crop "$geometry" +repage "$out/$name.png"
    touch "$work/stop"
    wait "$shot_pid" 2>/dev/null || true
    shot_pid=""
    echo "$out/$name.png"
}

shoot menu-file 420x200+0+0 menu 0 1
shoot menu-edit 420x220+0+0 menu 1 3
shoot menu-view 420x220+0+0 menu 2 -1
shoot menu-help 420x240+0+0 menu 4 2
shoot dialog 620x460+0+0 dialog
shoot save-dialog 640x480+0+0 save
