#!/usr/bin/env bash
# The record soak of tools/soak.sh, with the Windows programs under Wine: kills
# during saves and two games saving at once, rounds bounded so that it takes
# minutes. Writes its figures into docs/soak.md beside the Linux ones.
# Usage: tools/windows/soak.sh BUILD_DIR   (run by tools/windows.sh --soak, which sets WINEPREFIX
# and gives under_x)
# Rounds: MCM_WINE_KILLS (400), MCM_WINE_RACES (150), MCM_WINE_BUDGET seconds a phase (150)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tools/windows/section.sh"
build=$1
options=(--kills "${MCM_WINE_KILLS:-400}" --races "${MCM_WINE_RACES:-150}" --budget "${MCM_WINE_BUDGET:-150}")
report=$(mktemp)
status=0
echo "soak under Wine: ${options[*]}"
under_x wine "$build/tests/soak/mcm-soak.exe" "${options[@]}" | tr -d '\r' > "$report" || status=$?
{
    echo "## Under Wine"
    echo
    echo "Made by \`tools/windows.sh --soak\` (\`mcm-soak.exe ${options[*]}\`) on $(date -u +%Y-%m-%d):" \
         "the Windows programs under $(wine --version), the record folder in the prefix's" \
         "temporary folder on $(df --output=fstype "$WINEPREFIX" | tail -1). The lock is \`LockFileEx\`, a" \
         "replacement \`MoveFileExW\` after \`FlushFileBuffers\`; a kill is \`TerminateProcess\`."
    echo
    cat "$report"
} | replace_section "$top/docs/soak.md" "## Under Wine"
rm -f "$report"
sed -n '/^## Under Wine/,$p' "$top/docs/soak.md"
exit "$status"
