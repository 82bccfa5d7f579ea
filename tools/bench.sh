#!/usr/bin/env bash
# Measures the game under Xvfb and writes docs/benchmarks.md.
# Usage: tools/bench.sh [--quick]   (--quick: 10 s idle, no 15-minute clock runs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
quick=${1:-}
for tool in xvfb-run /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install xvfb time" >&2; exit 1; }
done
bash "$top/tools/setup.sh" "$build" >/dev/null
bench="$build/bench/mcm-bench"
export WINDIR
WINDIR=$(mktemp -d)

under_x() { xvfb-run -a -s "-screen 0 1024x768x24" "$@" 2>/dev/null; }
value() { awk -v name="$1" '$1 == name { print $2 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Both kinds of start alternate in one X session, so they share its state.
startups=$(under_x bash -c "for i in \$(seq 20); do '$bench' startup-game; echo game; '$bench' startup-bare; echo bare; done")
game_start=$(echo "$startups" | awk '$1 == "startup" { v = $2; next } $1 == "game" { print v }' | median)
bare_start=$(echo "$startups" | awk '$1 == "startup" { v = $2; next } $1 == "bare" { print v }' | median)

peak_kib() {
    local out
    out=$(mktemp)
    under_x /usr/bin/time -v -o "$out" "$bench" "$1" >/dev/null
    awk -F': ' '/Maximum resident/ { print $2 }' "$out"
    rm -f "$out"
}
game_kib=$(for i in 1 2 3; do peak_kib startup-game; done | median)
bare_kib=$(for i in 1 2 3; do peak_kib startup-bare; done | median)

verdict=$(under_x "$bench" verdict)
idle_seconds=60
[ "$quick" = --quick ] && idle_seconds=10
idle=$(under_x "$bench" idle-cpu "$idle_seconds" | value idle_cpu)

clock_idle="not run (--quick)"
clock_busy="not run (--quick)"
if [ "$quick" != --quick ]; then
    clock_idle="$(under_x "$bench" clock | value clock_error) ms"
    busy_pids=()
    for _ in $(seq "$(nproc)"); do (while :; do :; done) & busy_pids+=($!); done
    clock_busy="$(under_x "$bench" clock | value clock_error) ms"
    kill "${busy_pids[@]}"
fi

# The findings written by hand below the figures are kept.
findings=$(awk '/^## Findings/ { keep = 1 } keep' "$top/docs/benchmarks.md" 2>/dev/null || true)
cat > "$top/docs/benchmarks.md" <<MD
# Benchmarks

Made by \`tools/bench.sh\` on $(date -u +%Y-%m-%d), under Xvfb, build type RelWithDebInfo.
Machine: $(lscpu | awk -F': +' '/Model name/ { print $2; exit }'), $(nproc) cores,
$(free -g | awk '/Mem:/ { print $2 }') GiB, $(uname -sr), Qt $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo 6).

| what | mcm-mcd | baseline (bare QMainWindow, 33 plain widgets) | ratio | goal |
|---|---|---|---|---|
| start to first question painted, median of 20 | ${game_start} ms | ${bare_start} ms | $(ratio "$game_start" "$bare_start")× | ≤ 1.3× |
| peak memory (max RSS), median of 3 | ${game_kib} KiB | ${bare_kib} KiB | $(ratio "$game_kib" "$bare_kib")× | ≤ 1.2× |

| what | measured | goal |
|---|---|---|
| Enter to verdict painted, median of 500 | $(echo "$verdict" | value verdict_median) ms | < 5 ms |
| Enter to verdict painted, 99th percentile | $(echo "$verdict" | value verdict_p99) ms | < 5 ms |
| CPU while idle with the clock running, over ${idle_seconds} s | ${idle} % | < 0.05 % |
| clock: 900 ticks against the wall clock, idle machine | ${clock_idle} | ≤ 50 ms |
| clock: 900 ticks against the wall clock, every core busy | ${clock_busy} | ≤ 50 ms |
MD
[ -z "$findings" ] || printf '\n%s\n' "$findings" >> "$top/docs/benchmarks.md"
cat "$top/docs/benchmarks.md"
