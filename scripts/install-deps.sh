#!/bin/sh
# Installs the Debian packages that building, testing and running Morvet need.
# Only what is missing is installed, so a prepared machine costs one dpkg query.
set -e
PACKAGES="cmake g++ make pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
libbenchmark-dev xvfb xauth xdotool poppler-utils nlohmann-json3-dev desktop-file-utils \
clang libclang-rt-14-dev dpkg-dev file qt6-svg-dev shared-mime-info \
libbox2d-dev libgeos-dev libopencv-imgproc-dev zlib1g-dev libcups2-dev cups lintian appstream man-db groff-base \
love nodejs"
missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
# A Node.js from elsewhere brings its own npm, which Debian's would conflict with.
if ! command -v npm >/dev/null 2>&1; then missing="$missing npm"; fi
[ -z "$missing" ] && exit 0
SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
