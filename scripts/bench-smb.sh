#!/bin/sh
# vkfind --smb on loopback against the folder network and smbclient, and four servers behind
# delay proxies against vkfind --smb making one call at a time (tests/smb/smb_bench.py): installs
# Samba if it is missing, builds vkfind and its SMB helper (Release, build/bench) and prints the
# times and their ratios.
# Usage: scripts/bench-smb.sh [--rounds N] [--files N] [--delay MS] [--only loopback|latency]
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh samba smbclient libnss-wrapper
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target vkfind -j "$(nproc)"
exec python3 tests/smb/smb_bench.py --vkfind build/bench/src/vkfind "$@"
