#!/usr/bin/env bash
# Installs a build into a scratch root, lists what landed there and checks the
# desktop entry and the AppStream metadata with their validators.
# Usage: tools/check-install.sh BUILD_DIR
# Needs: cmake desktop-file-utils appstream
set -euo pipefail

build=${1:?usage: tools/check-install.sh BUILD_DIR}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR=$root cmake --install "$build" >/dev/null
(cd "$root" && find . -mindepth 1 \( -type f -o -type d -empty \) -printf '%M %g %P\n' | sort -k3)

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
installed=$root$prefix
fail() { echo "check-install: $*" >&2; exit 1; }

expected=(bin/mcm-mcd
          share/applications/io.github.mcm_mcd.McmMcd.desktop
          share/metainfo/io.github.mcm_mcd.McmMcd.metainfo.xml share/man/man6/mcm-mcd.6
          share/icons/hicolor/32x32/apps/mcm-mcd.png share/icons/hicolor/48x48/apps/mcm-mcd.png
          share/icons/hicolor/64x64/apps/mcm-mcd.png share/icons/hicolor/128x128/apps/mcm-mcd.png
          share/icons/hicolor/scalable/apps/mcm-mcd.svg)
for file in "${expected[@]}"; do
    [ -f "$installed/$file" ] || fail "missing $file"
done
records="$root/var/games/mcm-mcd"
[ -d "$records" ] || fail "missing /var/games/mcm-mcd"
[ "$(stat -c %a "$records")" = 2775 ] || fail "/var/games/mcm-mcd has mode $(stat -c %a "$records"), not 2775"

desktop-file-validate "$installed/share/applications/io.github.mcm_mcd.McmMcd.desktop" || fail "desktop-file-validate failed"
appstreamcli validate --no-net "$installed/share/metainfo/io.github.mcm_mcd.McmMcd.metainfo.xml" || fail "appstreamcli validate failed"
echo "check-install: all good"
