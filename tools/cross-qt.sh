#!/usr/bin/env bash
# Builds a static Qt for another platform from Debian's own qt6-base source, the
# same version as the host Qt (whose moc, rcc and uic it uses), once. The result
# lives in a cache outside the repository, in a folder named by the target, the
# Qt version and a hash of everything that shapes it (patches, configure options,
# toolchain), and is reused while that key matches. Prints the Qt prefix on its
# last line.
# When apt knows no deb-src entry for qt6-base, it adds one for good: the
# machine's own Debian sources, as source, in
# /etc/apt/sources.list.d/mcm-mcd-src.sources (or mcm-mcd-src.list beside a
# classic sources.list).
# Usage: tools/cross-qt.sh windows|web
#   (cache: $MCM_CACHE, else /var/cache/mcm-mcd, else ~/.cache/mcm-mcd)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/tools/common.sh"

target=${1:-}
case "$target" in
    windows)
        here="$top/tools/windows"
        ensure_packages dpkg-dev cmake ninja-build perl python3 g++-mingw-w64-x86-64-posix \
                        mingw-w64-tools qt6-base-dev qt6-base-dev-tools
        options=(
            -release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr
            -nomake examples -nomake tests
            -no-opengl -no-dbus -no-icu -no-feature-vulkan
            -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent -no-feature-xml
            # Direct2D is a separate platform plugin we do not ship; without it the DirectWrite 3
            # font database is not compiled, so the windows plugin must not ask for it.
            -no-feature-direct2d -no-feature-directwrite3
            -no-feature-jpeg -no-feature-gif
            -qt-zlib -qt-libpng -qt-freetype -qt-harfbuzz -qt-pcre
        )
        toolchain=(-DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake")
        shapes=$(cat "$here/mingw-toolchain.cmake")
        name=win ;;
    web)
        here="$top/tools/web"
        ensure_packages dpkg-dev cmake ninja-build perl python3 emscripten nodejs \
                        qt6-base-dev qt6-base-dev-tools
        . "$here/emsdk.sh"
        options=(
            -release -static -xplatform wasm-emscripten -qt-host-path /usr
            -nomake examples -nomake tests
            -no-dbus -no-icu
            -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-concurrent -no-feature-xml
            -no-feature-jpeg -no-feature-gif
        )
        # The game's run-time errors are caught as exceptions: the link keeps C++
        # exception catching on for programs built with this Qt.
        toolchain=(-DQT_FEATURE_exceptions=ON)
        shapes="$(dpkg-query -W -f='${Version}' emscripten) ${toolchain[*]}"
        name=web ;;
    *) echo "usage: tools/cross-qt.sh windows|web" >&2; exit 2 ;;
esac

# The source package needs a deb-src entry: the machine's own Debian sources, as source.
ensure_deb_src() {
    apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package:' && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
        awk -v RS= -v ORS='\n\n' '/(^|\n)Types: deb(\n| )/ && /debian/' /etc/apt/sources.list.d/*.sources |
            sed 's/^Types: deb$/Types: deb-src/' | $sudo tee /etc/apt/sources.list.d/mcm-mcd-src.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/mcm-mcd-src.list >/dev/null
    fi
    $sudo apt-get update -q
}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
key=$({ echo "$version"; printf '%s\n' "${options[@]}"; cat "$here"/qt-patches/*.patch 2>/dev/null; echo "$shapes"; } |
      sha256sum | cut -c1-12)
cache=$(cache_dir)
prefix="$cache/qt-$name-$upstream-$key"
mkdir -p "$cache"

# One build at a time per cache; a second caller waits and then reuses it.
exec 9>"$cache/qt-$name.lock"
flock 9
if [ ! -f "$prefix/.complete" ]; then
    ensure_deb_src
    work="$cache/work-$key"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    log="$work/build.log"
    echo "building Qt $upstream for $target into $prefix (15 to 30 minutes on 2 cores; log: $log)" >&2
    set +e
    (
        set -e
        cd "$work"
        apt-get source -q --download-only "qt6-base=$version"
        dpkg-source -x ./*.dsc src
        for patch in "$here"/qt-patches/*.patch; do
            [ -e "$patch" ] && patch -d src -p1 < "$patch"
        done
        mkdir build && cd build
        ../src/configure -prefix "$prefix" "${options[@]}" -- -G Ninja "${toolchain[@]}" \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        cmake --build . --parallel "${MCM_JOBS:-2}"
        cmake --install .
    ) > "$log" 2>&1
    status=$?
    set -e
    if [ "$status" -ne 0 ]; then
        tail -40 "$log" >&2
        echo "Qt build failed; log: $log" >&2
        exit 1
    fi
    touch "$prefix/.complete"
    rm -rf "$work"
fi
echo "$prefix"
