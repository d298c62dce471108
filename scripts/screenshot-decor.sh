#!/bin/sh
# Builds the decoration's picture tool and takes pictures of the owner-drawn menus (the File, Edit,
# View and Help drop-downs, one with its sub-menu open), of a dialog with the flat look and of the
# system's "Save As" dialog with it, under Wine on a virtual display of its own.
# Usage: scripts/screenshot-decor.sh [output-folder]   (default: build/screenshots)
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
out="${1:-$root/build/screenshots}"
mkdir -p "$out"

cmake --preset win >/dev/null
cmake --build --preset win -j 2 --target vk_decor_shot wineprefix >/dev/null

# shellcheck source=scripts/picture-session.sh
. "$root/scripts/picture-session.sh"

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
