#!/usr/bin/env bash
# Kills record saves at random moments and races two games saving at once,
# then writes what it found to docs/soak.md. Each phase stops after its rounds
# or after --budget seconds (300 by default), whichever comes first.
# Usage: tools/soak.sh [--kills N] [--races N] [--budget SECONDS]   (build dir: $MCM_SOAK_BUILD)
# Needs: cmake qt6-base-dev
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${MCM_SOAK_BUILD:-$top/build-soak}
cmake -S "$top" -B "$build" -DMCM_SOAK=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target mcm-soak mcm-soak-saver >/dev/null
report=$(mktemp)
status=0
# The figures under Wine, written by tools/windows.sh --soak, are kept.
wine_part=$(awk '/^## Under Wine/ { keep = 1 } keep' "$top/docs/soak.md" 2>/dev/null || true)
"$build/tests/soak/mcm-soak" "$@" > "$report" || status=$?
{
    echo "# Soak run"
    echo
    echo "Made by \`tools/soak.sh $*\` on $(date -u +%Y-%m-%d): $(nproc) cores of" \
         "$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(uname -sr)," \
         "record folder on $(df --output=fstype "${TMPDIR:-/tmp}" | tail -1)."
    echo
    cat "$report"
} > "$top/docs/soak.md"
[ -z "$wine_part" ] || printf '\n%s\n' "$wine_part" >> "$top/docs/soak.md"
rm -f "$report"
cat "$top/docs/soak.md"
exit "$status"
