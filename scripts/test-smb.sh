#!/bin/sh
# vkfind --smb against Samba servers of its own on loopback: installs Samba if it is missing
# (Debian: samba, smbclient, libnss-wrapper), builds vkfind and the SMB network's tests of the
# given builds and runs tests/smb/smb_test.py with each. The servers are stopped at the end, also
# on failure. Usage: scripts/test-smb.sh [native|asan|tsan ...]   (default: native)
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh samba smbclient libnss-wrapper
presets="${*:-native}"
failed=""
for preset in $presets; do
    cmake --preset "$preset" >/dev/null
    if ! grep -q '^SMBCLIENT_FOUND:INTERNAL=1' "build/$preset/CMakeCache.txt"; then
        echo "=== $preset: the SMB client library (libsmbclient-dev) is not installed"
        failed="$failed $preset"
        continue
    fi
    cmake --build --preset "$preset" -j "$(nproc)" --target vkfind vk_smb_tests
    echo "=== $preset: vkfind --smb against Samba"
    run=""
    if [ "$preset" = tsan ]; then
        # ThreadSanitizer needs a fixed address space layout on newer kernels.
        run="setarch $(uname -m) -R"
    fi
    # shellcheck disable=SC2086
    $run python3 tests/smb/smb_test.py --vkfind "build/$preset/src/vkfind" \
        --live-tests "build/$preset/tests/vk_smb_tests" || failed="$failed $preset"
done
if [ -n "$failed" ]; then
    echo "FAILED (SMB):$failed"
    exit 1
fi
