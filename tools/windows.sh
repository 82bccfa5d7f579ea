#!/usr/bin/env bash
# The game for Windows, built and tested on Debian: installs what it needs,
# builds (once, cached) a static Qt for Windows, cross-builds the game and
# every test suite, runs every suite under Wine with no screen, and leaves in
# dist/ the program alone in a zip and its installer, which it checks under Wine.
# Besides the packages it installs, it changes the machine for good: it adds
# the i386 architecture to dpkg (for wine32), and tools/cross-qt.sh may add
# a deb-src entry, /etc/apt/sources.list.d/mcm-mcd-src.sources (or .list).
# Usage: tools/windows.sh [--soak] [--bench]
#   --soak   also runs the record soak under Wine and writes its figures into docs/soak.md
#   --bench  also measures the .exe under Wine and writes docs/benchmarks.md's Windows part
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
here="$top/tools/windows"
. "$top/tools/common.sh"

soak=false
bench=false
for argument in "$@"; do
    case "$argument" in
        --soak) soak=true ;;
        --bench) bench=true ;;
        *) echo "usage: tools/windows.sh [--soak] [--bench]" >&2; exit 2 ;;
    esac
done

# wine32 runs the installer; it must be there before the first wineboot of a
# prefix, since adding it later breaks an existing prefix.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -q
fi
ensure_packages wine wine64 wine32:i386 nsis zip xvfb xauth fonts-liberation fonts-dejavu-core \
                qt6-translations-l10n

qt=$(bash "$top/tools/cross-qt.sh" windows | tail -1)
version=$(sed -n 's/^project(mcm-mcd VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
build="$top/build-windows"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine -DMCM_SOAK=ON >/dev/null
cmake --build "$build" --parallel "${MCM_JOBS:-2}"

# A prefix of our own, made once; no Mono or Gecko prompts, and a program that
# crashes ends instead of waiting in Wine's debugger. Wine hands the
# programs no variable named QT_*, but WINEQT_X arrives as QT_X: the test logs
# go to the standard streams, as on Linux, not to the debugger.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" WINEQT_FORCE_STDERR_LOGGING=1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    # Xvfb has no window manager, and Wine waits 2 s for one whenever a
    # window it left to the manager closes: Wine places the windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver --wait
fi

# Runs a command with Wine's desktop in a fresh Xvfb; Wine's processes of this
# prefix end with it, so that none stays tied to a display that is gone.
under_x() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$@"; status=$?; wineserver -k; wineserver -w; exit $status' under_x "$@"
}

# The suites run on Windows' own platform, drawn into Xvfb.
echo "running every suite under Wine"
under_x ctest --test-dir "$build" --output-on-failure --timeout 300 -j"${MCM_JOBS:-2}"

dist="$top/dist"
mkdir -p "$dist"
exe="$build/app/mcm-mcd.exe"
rm -f "$dist/mcm-mcd-$version-win64.zip"
zip -j -q "$dist/mcm-mcd-$version-win64.zip" "$exe"
makensis -V2 -DVERSION="$version" -DEXE="$exe" -DOUTFILE="$dist/mcm-mcd-$version-win64-setup.exe" \
    -DSIZE_KB=$(( $(stat -c %s "$exe") / 1024 )) "$top/packaging/windows/mcm-mcd.nsi"

export -f under_x
echo "checking the installer under Wine"
bash "$here/installer-check.sh" "$dist/mcm-mcd-$version-win64-setup.exe"
if $soak; then
    bash "$here/soak.sh" "$build"
fi
if $bench; then
    bash "$here/bench.sh" "$build" "$qt"
fi
ls -l "$dist"
