#!/bin/sh
# Makes the demo network's large files, which are never committed: a sparse disk image of 4 GiB
# and 10 bytes (listed with its whole size, 4294967306 bytes) and a 2 MB text log.
set -eu
root="${1:-$(dirname "$0")/../demo/network}"
images="$root/Microsoft Windows Network/ACME/FILESRV01/Software/images"
mkdir -p "$images"
[ -f "$images/disk.img" ] || truncate -s 4294967306 "$images/disk.img"
if [ ! -f "$images/install.log" ]; then
    i=0
    while [ $i -lt 40000 ]; do
        echo "step $i: copying files to the target disk"
        i=$((i + 1))
    done >"$images/install.log"
    echo "installation finished: SUCCESS" >>"$images/install.log"
fi
