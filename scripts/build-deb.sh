#!/bin/sh
# Builds the .deb of the editor and morvet-tool the way Debian builds its
# packages: a Release build with the flags of dpkg-buildflags, hardening all
# on (fortify, stack protector, relro, bind now), without tests or benchmarks.
# `make package` and the lintian test both come through here, so the package
# checked is the package shipped.
#   scripts/build-deb.sh [BUILD_DIR]     (default: build/deb)
# Prints the path of the .deb on its last line.
set -e
src=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$src/build/deb}
case $dir in /*) ;; *) dir=$(pwd)/$dir ;; esac
# dpkg-buildflags maps the current directory away in debug paths.
cd "$src"
# A make that runs this script must not hand its job server down to ours.
unset MAKEFLAGS MFLAGS MAKELEVEL
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# The package is stripped and has no debug-symbol companion: debug information
# would only cost compile time.
export DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DMORVET_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$dir" -j"${JOBS:-2}"
(cd "$dir" && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/morvet_${version}_$(dpkg --print-architecture).deb"
test -f "$deb"
echo "$deb"
