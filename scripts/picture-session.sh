# Sourced by the picture scripts (screenshot-*.sh): a work folder, a virtual display of their own
# and the clean-up of both, and the path conversion Wine needs.
#   work        the work folder (removed at the end)
#   display     the virtual display's number; run programs with DISPLAY=":$display"
#   shot_pid    set it to the picture program's process; the clean-up tells it to stop (by creating
#               "$work/stop") and waits for it

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
