#!/bin/sh
# Makes the Windows packages of the program: a release build (optimised, stripped, statically
# linked: the programs import only system DLLs), its files installed into a folder, and of that
# folder, in build/package/:
#   Varnokle-<version>-x64.msi   the Windows Installer package (wixl, packaging/Varnokle.wxs)
#   Varnokle-<version>-x64.zip   the same files in a folder Varnokle-<version>/, to use without installing
#   SHA256SUMS                   the checksums of both
# The version is the CMake project's (CMakeLists.txt). Usage: scripts/package.sh
set -eu
cd "$(dirname "$0")/.."
root="$(pwd)"
sh scripts/install-deps.sh
echo "=== package: release build"
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target Varnokle vkfind vk_help vk_tips
version="$(cat build/release/VERSION)"
name="Varnokle-$version"
out="$root/build/package"
stage="$root/build/release/stage"
rm -rf "$stage" "$out"
mkdir -p "$out"
cmake --install build/release --prefix "$stage/$name" --strip >/dev/null
sh scripts/make-msi.sh "$stage/$name" "$version" build/release/artwork/Varnokle.ico "$out/$name-x64.msi"
(cd "$stage" && zip -q -r -X "$out/$name-x64.zip" "$name")
(cd "$out" && sha256sum "$name-x64.msi" "$name-x64.zip" >SHA256SUMS)
echo "=== package: $out"
ls -l "$out"
