#!/bin/sh
# vkfind --smb on loopback against the folder network and smbclient (tests/smb/smb_bench.py):
# installs Samba if it is missing, builds vkfind (Release, build/bench) and prints the times and
# their ratios. Usage: scripts/bench-smb.sh [--rounds N] [--files N]
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh samba smbclient libnss-wrapper
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target vkfind -j "$(nproc)"
exec python3 tests/smb/smb_bench.py --vkfind build/bench/src/vkfind "$@"
