#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12, and builds.
# Usage: tools/setup.sh BUILD_DIR
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-tools-dev-tools qt6-translations-l10n
          fonts-liberation fonts-dejavu-core desktop-file-utils appstream man-db
          # the screen-reader test (tests/screenreader/run.sh) and tools/atspi-dump.py
          orca speech-dispatcher espeak-ng xvfb xdotool x11-utils openbox dbus at-spi2-core
          python3-pyatspi locales)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$1" -j"$(nproc)"
