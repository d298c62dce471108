#!/bin/sh
# Installs what is missing, builds the console tool and searches the demo network with it.
# Usage: scripts/run-vkfind.sh [--win] [vkfind options and scopes]
#   --win  run the Windows build under Wine instead of the native one
# Without options it runs a few typical searches.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/make-demo-bigfiles.sh
network="$(pwd)/demo/network"

if [ "${1:-}" = "--win" ]; then
    shift
    cmake --preset win >/dev/null
    cmake --build --preset win -j "$(nproc)" --target vkfind wineprefix >/dev/null
    vkfind() { VARNOKLE_NETWORK="Z:$(echo "$network" | tr / '\\')" build/win/wine-run.sh build/win/src/vkfind.exe "$@"; }
else
    cmake --preset native >/dev/null
    cmake --build --preset native -j "$(nproc)" --target vkfind >/dev/null
    vkfind() { VARNOKLE_NETWORK="$network" build/native/src/vkfind "$@"; }
fi

if [ $# -gt 0 ]; then
    vkfind "$@"
    exit $?
fi
run() {
    printf '\n$ vkfind'
    printf " '%s'" "$@"
    printf '\n'
    vkfind --quiet "$@"
}
run --mask '*.txt' '\\ATLAS\Public' '\\BOREAS\Docs' '\\FILESRV01\Finance'
run --mask '*.log'
run --share-mask '*$'
run --mask '*.dot;*.xlt;*.xls' 'Microsoft Windows Network/ACME'
run --shares '\\FILESRV01'
run --list '\\ATLAS\Projects\Apollo'
run --mask '*.mp3;*.jpg, *.png' '\\ATLAS\Music' '\\BOREAS\Photos'
run --mask '*' --text 'quarterly report' '\\ATLAS\Projects' '\\FILESRV01\Finance'
run --at-least 1000 '\\FILESRV01\Software'
run --mask 'nightly*' '\\BUILD01\builds'
