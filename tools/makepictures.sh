#!/usr/bin/env bash
# Redraws every file in ui/pictures/ with tools/makepictures and checks them.
# Usage: bash tools/makepictures.sh   (MAKEPICTURES_BUILD_DIR overrides the build folder)
set -euo pipefail

tools="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
pictures="$(dirname "$tools")/ui/pictures"
build="${MAKEPICTURES_BUILD_DIR:-/tmp/pictures-build}"

cmake -S "$tools/makepictures" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --parallel
mkdir -p "$pictures"
# No display is needed: the pictures are painted off screen.
QT_QPA_PLATFORM=offscreen "$build/makepictures" "$pictures"
