#!/usr/bin/env bash
# Sets up, builds, checks what an install lays out, and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh" "$top/build"
bash "$top/tools/check-install.sh" "$top/build"
cd "$top/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
