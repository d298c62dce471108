#!/bin/sh
# Installs what is missing, builds every configuration and runs every test: native, native under
# AddressSanitizer+UndefinedBehaviorSanitizer and under ThreadSanitizer, and the Windows build
# under Wine; with each native build, vkfind --smb against Samba servers on loopback
# (scripts/test-smb.sh); every fuzz target for 20 seconds on its corpus (scripts/fuzz.sh); last
# the Windows packages (scripts/package.sh) installed, upgraded and removed under Wine
# (tests/package/package_test.py).
# Usage: scripts/test-all.sh [native|asan|tsan|fuzz|win|package ...]
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
jobs=$(nproc)
presets="${*:-native asan tsan fuzz win package}"
failed=""
for preset in $presets; do
    if [ "$preset" = package ]; then
        echo "=== package: the installer and the zip under Wine"
        # The test reads the windows with the Windows build's probe and compares the program's icon.
        cmake --preset win >/dev/null
        cmake --build --preset win -j "$jobs" --target vk_probe vk_artwork
        if sh scripts/package.sh; then
            cmake/with-display.sh python3 tests/package/package_test.py --package build/package --build build/win \
                --source . || failed="$failed package"
        else
            failed="$failed package"
        fi
        continue
    fi
    if [ "$preset" = fuzz ]; then
        echo "=== fuzz: every target briefly on its corpus"
        sh scripts/fuzz.sh || failed="$failed fuzz"
        continue
    fi
    echo "=== $preset: configure and build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== $preset: tests"
    if [ "$preset" = win ]; then
        # Every Windows test shares one virtual display and a Wine server started on it: a server
        # whose desktop began without a display cannot open windows for the tests that need them.
        prefix="$(pwd)/build/win/wineprefix"
        WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
        cmake/with-display.sh ctest --preset "$preset" -j "$jobs" || failed="$failed $preset"
        WINEPREFIX="$prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    elif [ "$preset" = tsan ]; then
        # ThreadSanitizer needs a fixed address space layout on newer kernels.
        setarch "$(uname -m)" -R ctest --preset "$preset" -j "$jobs" || failed="$failed $preset"
    else
        ctest --preset "$preset" -j "$jobs" || failed="$failed $preset"
    fi
    if [ "$preset" != win ]; then
        # vkfind --smb against Samba servers of the test's own on loopback.
        sh scripts/test-smb.sh "$preset" || failed="$failed $preset-smb"
    fi
done
if [ -n "$failed" ]; then
    echo "FAILED:$failed"
    exit 1
fi
echo "All test runs passed: $presets"
