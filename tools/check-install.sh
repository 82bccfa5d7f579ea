#!/usr/bin/env bash
# Installs a build into a scratch root, lists what landed there and checks the
# desktop entry and the AppStream metadata with their validators, and the
# manual pages with man.
# Usage: tools/check-install.sh BUILD_DIR
# Needs: cmake desktop-file-utils appstream man-db
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
          share/metainfo/io.github.mcm_mcd.McmMcd.metainfo.xml
          share/man/man6/mcm-mcd.6 share/man/it/man6/mcm-mcd.6
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
# Each manual page, English and Italian, formats without a warning, the way
# lintian runs man over it, and man finds the page of the reader's language.
declare -A pages=([C]=man6/mcm-mcd.6 [it]=it/man6/mcm-mcd.6)
for language in "${!pages[@]}"; do
    page=$installed/share/man/${pages[$language]}
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
    found=$(MANPATH=$installed/share/man man -L "$language" -w mcm-mcd) || fail "man -L $language finds no mcm-mcd"
    [ "$found" = "$page" ] || fail "man -L $language finds $found, not $page"
done
echo "check-install: all good"
