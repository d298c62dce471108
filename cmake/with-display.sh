#!/bin/sh
# Runs a command with an X display: the caller's, or a virtual one of its own (Xvfb).
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" "$@"
