#!/bin/sh
# Makes the Windows Installer package of an installed folder with wixl (packaging/Varnokle.wxs):
# scripts/package.sh for the build's version, the package test for other versions of the same files.
# Usage: scripts/make-msi.sh FOLDER VERSION ICON OUT.msi
set -eu
if [ $# -ne 4 ]; then
    echo "usage: scripts/make-msi.sh FOLDER VERSION ICON OUT.msi" >&2
    exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$(cd "$1" && pwd)"
version="$2"
icon="$(realpath "$3")"
out="$(realpath -m "$4")"
# wixl finds the files by paths relative to its current directory.
cd "$folder"
wixl --arch x64 --define Version="$version" --define SourceDir=. \
    --define IconFile="$(realpath --relative-to=. "$icon")" --output "$out" "$root/packaging/Varnokle.wxs"
