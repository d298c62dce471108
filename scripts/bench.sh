#!/bin/sh
# Builds the benchmarks natively (Release, without the tests) in build/bench and runs them.
# Usage: scripts/bench.sh [walk|content|network|wholenet|shares|all] [--workdir DIR]
# The data sets (about 200,000 entries and 210 MB of text) are generated in the work folder at
# the first run (default: $TMPDIR/varnokle-bench) and reused afterwards. Each line compares the
# engine with a peer measured in the same run: find, grep, or the ideal time of the worker gate.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target vk_bench -j "$(nproc)"
exec build/bench/bench/vk_bench "$@"
