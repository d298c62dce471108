#!/bin/sh
# Installs the Debian packages the project needs (as root), only those that are missing, and the
# extra ones named as arguments (the SMB tests' Samba). Usage: scripts/install-deps.sh [PACKAGE...]
set -eu
packages="cmake g++ make googletest g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth
          imagemagick xdotool x11-apps openbox findutils grep python3 fp-utils libchm-bin fonts-dejavu-core fonts-wine
          pkg-config libsmbclient-dev wixl msitools zip clang libclang-rt-14-dev ccache $*"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
