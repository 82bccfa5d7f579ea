#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh" "$top/build"
exec "$top/build/app/mcm-mcd"
