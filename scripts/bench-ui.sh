#!/bin/sh
# Builds the Windows programs (build/win) and runs the result-list benchmark under Wine on a
# virtual display: a search of 100,000 hits into the real list view, against the engine alone.
# Usage: scripts/bench-ui.sh [--files N] [--workdir DIR] [--jobs N]
# --jobs sets the search's read-ahead threads (default: the program's).
# The generated network (N empty files) stays in the work folder, by default build/win/ui-bench,
# and is reused while N is the same.
set -eu
cd "$(dirname "$0")/.."
cmake --preset win >/dev/null
cmake --build build/win --target vk_ui_bench -j2
workdir="$PWD/build/win/ui-bench"
files=100000
jobs=""
while [ $# -gt 0 ]; do
    case "$1" in
    --files) files="$2"; shift 2 ;;
    --workdir) workdir="$(realpath -m "$2")"; shift 2 ;;
    --jobs) jobs="--jobs $2"; shift 2 ;;
    *) echo "usage: scripts/bench-ui.sh [--files N] [--workdir DIR] [--jobs N]" >&2; exit 2 ;;
    esac
done
mkdir -p "$workdir"
# The files are made here, natively, in the layout the benchmark makes them in (through Wine a
# million would take over half an hour); it then finds them ready.
python3 - "$workdir/network-$files" "$files" <<'PY'
import os, shutil, sys
root, files = sys.argv[1], int(sys.argv[2])
recipe = "files=%d shares=10 dirs=10 v1" % files
ready = os.path.join(root, "ready.txt")
try:
    with open(ready) as f:
        if f.readline().rstrip("\n") == recipe:
            sys.exit(0)
except OSError:
    pass
print("generating %d files in %s ..." % (files, root), flush=True)
shutil.rmtree(root, ignore_errors=True)
extensions = [".txt", ".doc", ".pdf", ".log", ".bin"]
per_dir, number = files // 100, 0
for share in range(10):
    for d in range(10):
        folder = os.path.join(root, "Bench", "BENCH", "SRV", "share%d" % share, "dir%d" % d)
        os.makedirs(folder)
        for _ in range(per_dir):
            open(os.path.join(folder, "file%06d%s" % (number, extensions[number % 5])), "wb").close()
            number += 1
with open(ready, "w") as f:
    f.write(recipe + "\n")
PY
# Wine sees the Linux root as drive Z:.
winedir="Z:$(printf '%s' "$workdir" | tr '/' '\\')"
# The machine's load average before and after: waits and times stretch on a busy machine.
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
# shellcheck disable=SC2086 # $jobs is empty or two words
cmake/with-display.sh build/win/wine-run.sh build/win/bench/vk_ui_bench.exe --workdir "$winedir" --files "$files" $jobs ||
    status=$?
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit "$status"
