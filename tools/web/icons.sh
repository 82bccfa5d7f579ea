#!/usr/bin/env bash
# Draws the web version's icons from the game's SVG icon: the sizes browsers
# ask for to install the page as an app (192, 512) and to put it on a phone's
# or tablet's home screen (180). Needs rsvg-convert (Debian: librsvg2-bin).
# Usage: tools/web/icons.sh
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
source=$top/ui/pictures/mcm-mcd.svg
out=$top/packaging/web/icons

command -v rsvg-convert >/dev/null || { echo "icons: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }
mkdir -p "$out"
for size in 180 192 512; do
    rsvg-convert --width "$size" --height "$size" --output "$out/mcm-mcd-$size.png" "$source"
done
