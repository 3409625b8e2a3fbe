#!/bin/sh
# Packs a build tree as the .deb of the editor and morvet-tool. The tree is the
# one `make test` builds and tests: CMakeLists.txt compiles it with Debian's
# hardening flags, and CPack strips the binaries it installs into the package,
# so the package checked by lintian holds the programs the tests ran.
#   scripts/build-deb.sh [BUILD_DIR]     (default: build)
# The package lands in BUILD_DIR/deb; its path is the last line printed.
set -e
src=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$src/build}
case $dir in /*) ;; *) dir=$(pwd)/$dir ;; esac
test -f "$dir/CPackConfig.cmake" || { echo "$dir is not a configured build" >&2; exit 1; }
grep -q '^MORVET_HARDEN:BOOL=ON' "$dir/CMakeCache.txt" ||
    { echo "$dir is not built with the hardening flags (MORVET_HARDEN)" >&2; exit 1; }
# A make that runs this script must not hand its job server down to CPack's.
unset MAKEFLAGS MFLAGS MAKELEVEL
(cd "$dir" && cpack -G DEB -B "$dir/deb" >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/deb/morvet_${version}_$(dpkg --print-architecture).deb"
test -f "$deb"
echo "$deb"
