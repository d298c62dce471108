#!/bin/sh
# Runs the libFuzzer targets of fuzz/ (built natively with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer: the fuzz preset) on their corpora, as many at once as there are
# cores, and prints per target the runs, the coverage (edges), the corpus and the finds.
#
#   sh scripts/fuzz.sh [--minutes N | --seconds N] [TARGET...]
#
# Default: 20 seconds a target (the CI run, scripts/test-all.sh fuzz). TARGETs are names of
# fuzz/*.cpp (FormState, ContentSearch, ...); none: all of them. Each target starts from its
# checked-in corpus fuzz/corpus/TARGET/ and writes what it finds new to build/fuzz/work/TARGET/
# (kept from run to run; copy the inputs worth keeping into the corpus, minimised with
# -minimize_crash=1 or -merge=1). A crash, a leak, a sanitizer report, a hang (10 s on one input)
# or running out of memory is a find: its input is saved as build/fuzz/finds/TARGET/crash-*
# (or leak-*, timeout-*, oom-*); reproduce it with build/fuzz/fuzz/vk_fuzz_TARGET FILE. Exits
# with 1 when any target found something.
set -eu
cd "$(dirname "$0")/.."
seconds=20
while [ $# -gt 0 ]; do
    case "$1" in
    --minutes) seconds=$(($2 * 60)); shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    -h | --help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
    esac
done
targets="$*"
if [ -z "$targets" ]; then
    targets=$(for f in fuzz/*.cpp; do basename "$f" .cpp; done)
fi
build=build/fuzz
mkdir -p "$build"
cmake --preset fuzz >/dev/null
# shellcheck disable=SC2046
if ! cmake --build --preset fuzz -j "$(nproc)" --target $(for t in $targets; do printf 'vk_fuzz_%s ' "$t"; done) \
    >"$build/build.log" 2>&1; then
    cat "$build/build.log"
    echo "fuzz.sh: the build failed" >&2
    exit 2
fi

run_one() {
    t=$1
    mkdir -p "$build/work/$t" "$build/finds/$t" "fuzz/corpus/$t"
    rm -f "$build/finds/$t"/*
    # The first folder takes the new inputs; the checked-in corpus is only read.
    status=0
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/fuzz/vk_fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$build/finds/$t/" "$build/work/$t" "fuzz/corpus/$t" \
        >"$build/logs/$t.log" 2>&1 || status=$?
    echo "$status" >"$build/logs/$t.status"
}

mkdir -p "$build/logs"
jobs=$(nproc)
running=0
for t in $targets; do
    if [ ! -x "$build/fuzz/vk_fuzz_$t" ]; then
        echo "fuzz.sh: no target $t" >&2
        exit 2
    fi
    run_one "$t" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait
        running=0
    fi
done
wait

failed=""
printf '%-20s %12s %8s %8s %6s  %s\n' target runs edges corpus finds result
for t in $targets; do
    log="$build/logs/$t.log"
    status=$(cat "$build/logs/$t.status")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | sed 's/cov: //')
    corpus=$(ls "$build/work/$t" | wc -l)
    finds=$(ls "$build/finds/$t" | wc -l)
    result=ok
    if [ "$status" != 0 ] || [ "$finds" != 0 ]; then
        result="FOUND: see $log and $build/finds/$t/"
        failed="$failed $t"
    fi
    printf '%-20s %12s %8s %8s %6s  %s\n' "$t" "${runs:-?}" "${edges:-?}" "$corpus" "$finds" "$result"
done
if [ -n "$failed" ]; then
    echo "fuzz finds in:$failed"
    exit 1
fi
echo "fuzz: no finds in $(echo "$targets" | wc -w) targets, ${seconds} s each"
