#!/usr/bin/env bash
# Builds the Debian package of the game, in release mode, with Debian's own
# tools (debhelper), and leaves it as dist/mcm-mcd_VERSION_ARCH.deb.
# Installs what the build needs (the Build-Depends of packaging/debian/control).
# Usage: tools/deb.sh
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
fail() { echo "deb: $*" >&2; exit 1; }

version=$(sed -n '1s/^mcm-mcd (\([^)]*\)).*/\1/p' "$top/packaging/debian/changelog")
cmake_version=$(sed -n 's/^project(mcm-mcd VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ "$version" = "$cmake_version" ] ||
    fail "packaging/debian/changelog is at $version, CMakeLists.txt at $cmake_version: add a changelog entry"

# dpkg-buildpackage wants debian/ at the top of the sources: build from a copy
# of the checkout (its files, committed or not, as git sees them).
work=$top/build-deb
stage=$work/mcm-mcd-$version
rm -rf "$work"
mkdir -p "$stage"
git -C "$top" ls-files -z --cached --others --exclude-standard |
    tar -C "$top" --null -T - -cf - | tar -C "$stage" -xf -
rm -rf "$stage/debian"
cp -r "$top/packaging/debian" "$stage/debian"

if ! command -v dpkg-checkbuilddeps >/dev/null || ! (cd "$stage" && dpkg-checkbuilddeps 2>/dev/null); then
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get build-dep -y -q "$stage"
fi

(cd "$stage" && DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc)

arch=$(dpkg --print-architecture)
mkdir -p "$top/dist"
cp "$work/mcm-mcd_${version}_$arch.deb" "$top/dist/"
echo "deb: dist/mcm-mcd_${version}_$arch.deb"
