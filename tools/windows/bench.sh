#!/usr/bin/env bash
# Measures the Windows build: the sizes of what is shipped, and under Wine in
# Xvfb the start-up and peak memory of the game beside a bare Qt window built
# the same way (the ratios count, not Wine's own times). Writes the Windows
# section of docs/benchmarks.md.
# Usage: tools/windows/bench.sh BUILD_DIR QT_PREFIX   (run by tools/windows.sh --bench, which sets
# WINEPREFIX and gives under_x)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tools/windows/section.sh"
build=$1
qt=$2
version=$(sed -n 's/^project(mcm-mcd VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
bench="$build/bench/mcm-bench.exe"
runs=${MCM_WINE_RUNS:-15}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
kib() { echo $(( $(stat -c %s "$1") / 1024 )); }

# The same program not stripped, to show what stripping saves.
unstripped="$build-unstripped"
cmake -S "$top" -B "$unstripped" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMCM_STRIP=OFF -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$top/tools/windows/mingw-toolchain.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null
cmake --build "$unstripped" --parallel "${MCM_JOBS:-2}" --target mcm-mcd >/dev/null

# Both kinds of start alternate in one X session, so they share its state.
out=$(under_x bash -c \
    "for i in \$(seq $runs); do wine '$bench' startup-game; echo game; wine '$bench' startup-bare; echo bare; done" |
    tr -d '\r')
pick() { echo "$out" | awk -v name="$1" -v kind="$2" '$1 == name { v = $2; next } $1 == kind { print v }' | median; }
whole() { awk -v v="$1" 'BEGIN { printf "%.0f", v }'; }
game_start=$(whole "$(pick startup game)")
bare_start=$(whole "$(pick startup bare)")
game_kib=$(whole "$(pick peak_memory game)")
bare_kib=$(whole "$(pick peak_memory bare)")

setup="$top/dist/mcm-mcd-$version-win64-setup.exe"
zip="$top/dist/mcm-mcd-$version-win64.zip"
replace_section "$top/docs/benchmarks.md" "## Windows, under Wine" <<MD
## Windows, under Wine

Made by \`tools/windows.sh --bench\` on $(date -u +%Y-%m-%d): the Windows build (static Qt $(basename "$qt" | cut -d- -f3),
mingw-w64 g++ $(x86_64-w64-mingw32-g++-posix -dumpversion), Release) under $(wine --version) in Xvfb, on the machine above.

| what shipped | size |
|---|---|
| \`mcm-mcd.exe\`, unused sections dropped at link time (as the static Qt asks) and stripped | $(kib "$build/app/mcm-mcd.exe") KiB |
| the same, not stripped | $(kib "$unstripped/app/mcm-mcd.exe") KiB |
| \`$(basename "$zip")\` | $(kib "$zip") KiB |
| \`$(basename "$setup")\` (NSIS, LZMA) | $(kib "$setup") KiB |

| what, under Wine | mcm-mcd | baseline (bare QMainWindow, 33 plain widgets, same static Qt) | ratio |
|---|---|---|---|
| start (from main) to first question painted, the name box answered at once, median of $runs | ${game_start} ms | ${bare_start} ms | $(ratio "$game_start" "$bare_start")× |
| peak working set at that moment, median of $runs | ${game_kib} KiB | ${bare_kib} KiB | $(ratio "$game_kib" "$bare_kib")× |
MD
sed -n '/^## Windows, under Wine/,$p' "$top/docs/benchmarks.md"
