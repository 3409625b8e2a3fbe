#!/bin/sh
# Installs the npm packages the engine tests load (Phaser 3 with its Matter,
# and matter-js) into BUILD/engine-packages, pinned, never globally.
set -e
BUILD="${1:-build}"
command -v npm >/dev/null 2>&1 || { echo "npm is missing: scripts/install-deps.sh installs it"; exit 1; }
mkdir -p "$BUILD/engine-packages"
cd "$BUILD/engine-packages"
[ -f node_modules/phaser/package.json ] && grep -q '"version": "3.90.0"' node_modules/phaser/package.json &&
    [ -f node_modules/matter-js/package.json ] && exit 0
npm install --no-audit --no-fund --no-save --prefix . phaser@3.90.0 matter-js@0.20.0
