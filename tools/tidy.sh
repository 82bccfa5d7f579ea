#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the sources of the
# default build; any finding fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
[ -f "$build/compile_commands.json" ] || bash "$top/tools/setup.sh" "$build"
cd "$top"
# The soak helpers are only in a build made with MCM_SOAK, the Windows parts
# only in a Windows build.
git ls-files 'forms/*.cpp' 'module1/*.cpp' 'game/*.cpp' 'app/*.cpp' 'tests/*.cpp' 'bench/*.cpp' \
    | grep -v -e '^tests/soak/' -e '_windows\.cpp$' \
    | xargs -P "$(nproc)" -n 4 clang-tidy -quiet -p "$build"
