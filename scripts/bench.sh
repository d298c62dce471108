#!/bin/sh
# Builds the benchmarks natively (Release, without the tests) in build/bench and runs them.
# Usage: scripts/bench.sh [walk|content|network|wholenet|shares|bigshare|tools|memory|scale|all]
#                         [--workdir DIR] [--jobs N] [--tree DIR]
# The data sets (about 200,000 entries, 210 MB of text, 2,000 delayed folders and, for memory,
# 1,000,000 entries) are generated in the work folder at the first run (default:
# $TMPDIR/varnokle-bench) and reused afterwards; scale also makes 10 shares of 100,000 empty files
# and searches a real tree (--tree, default /usr) through a link. Each line compares the engine with a peer
# measured in the same run: find, fd, ripgrep, the engine without read-ahead, or the ideal
# time of the worker gate. --jobs sets the read-ahead threads (default: the engine's).
set -eu
cd "$(dirname "$0")/.."
# The peers of the whole-process comparisons (content, tools) and the peak memory meter, from Debian,
# beside what the build needs.
sh scripts/install-deps.sh fd-find ripgrep time
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench --target vk_bench -j "$(nproc)"
exec build/bench/bench/vk_bench "$@"
