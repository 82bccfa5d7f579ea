#!/usr/bin/env bash
# Measures the browser build beside a bare Qt window built the same way
# (bench/web, target mcm-bare), both through the game's own page in headless
# Chromium, and what the size levers at hand give. Writes the "## Browser"
# section of docs/benchmarks.md.
# Needs the game built in build-web (tools/web.sh); builds mcm-bare when it is
# out of date. Runs for about 20 minutes, most of it linking, compressing and
# optimising: it shares the machine (nice, one job).
# Usage: tools/web/bench.sh
set -euo pipefail
shopt -s inherit_errexit
top=$(cd "$(dirname "$0")/../.." && pwd)
here="$top/tools/web"
. "$top/tools/common.sh"
. "$here/emsdk.sh"
build="$top/build-web"
version=$(sed -n 's/^project(mcm-mcd VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

[ -f "$build/app/mcm-mcd.wasm" ] || { echo "no game in $build: run tools/web.sh first" >&2; exit 1; }
for tool in brotli wasm-opt chromium /usr/bin/chromedriver; do
    command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install brotli binaryen chromium chromium-driver" >&2; exit 1; }
done

# Another build may be linking the programs measured here: a link rewrites
# the .wasm several times before its .js, so the files are read only between links.
wait_for_links() {
    local said=""
    while pgrep -af 'em\+\+|emcc|wasm-ld|wasm-opt' | grep -qE '(app/mcm-mcd|bench/web/mcm-bare)\.(js|wasm)'; do
        [ -n "$said" ] || { echo "waiting for another link of the programs to end" >&2; said=1; }
        sleep 10
    done
}

# The names the .js takes from its .wasm's exports must all be there: a .js
# and a .wasm of two different links do not start.
check_pair() {
    /usr/bin/python3 - "$1" "$2" <<'PY'
import re, sys
js, wasm = open(sys.argv[1], encoding="utf-8").read(), open(sys.argv[2], "rb").read()

def leb(at):
    value = shift = 0
    while True:
        byte = wasm[at]
        at += 1
        value |= (byte & 0x7f) << shift
        shift += 7
        if byte < 0x80:
            return value, at

exports, at = set(), 8
while at < len(wasm):
    section = wasm[at]
    size, at = leb(at + 1)
    if section == 7:
        count, item = leb(at)
        for _ in range(count):
            length, item = leb(item)
            exports.add(wasm[item:item + length].decode())
            _, item = leb(item + length + 1)
    at += size
missing = set(re.findall(r'Module\["asm"\]\["([^"]+)"\]', js)) - exports
if missing:
    sys.exit(f"{sys.argv[1]} and {sys.argv[2]} are from two links: {sorted(missing)[:5]}")
PY
}

# Copies a program's .js and .wasm as mcm-mcd.js and mcm-mcd.wasm, the names
# the page loads, and lays out its site.
site() {
    local name=$1 js=$2 wasm=$3
    mkdir -p "$work/$name-program"
    cp -p "$js" "$work/$name-program/mcm-mcd.js"
    cp -p "$wasm" "$work/$name-program/mcm-mcd.wasm"
    if [ "$js" -nt "$work/$name-program/mcm-mcd.js" ] || [ "$wasm" -nt "$work/$name-program/mcm-mcd.wasm" ]; then
        echo "$js or $wasm changed while copied" >&2
        exit 1
    fi
    check_pair "$work/$name-program/mcm-mcd.js" "$work/$name-program/mcm-mcd.wasm"
    nice -n 19 bash "$here/package.sh" "$work/$name-program" "$work/$name" "$version" | tail -1
}

wait_for_links
nice -n 19 cmake --build "$build" --target mcm-bare -j1 >/dev/null
wait_for_links
game_site=$(site game "$build/app/mcm-mcd.js" "$build/app/mcm-mcd.wasm")
bare_site=$(site bare "$build/bench/web/mcm-bare.js" "$build/bench/web/mcm-bare.wasm")

# Lever: the link without asyncify, on the bare window (the game needs it:
# its boxes wait inside the handler that opened them).
mkdir -p "$work/noasync-link"
link=$(cd "$build" && ninja -t commands bench/web/mcm-bare.js | tail -1)
link=$(echo "$link" | sed -e 's/ -s ASYNCIFY / /' -e 's/ -s ASYNCIFY_STACK_SIZE=[0-9]* / /' \
    -e 's/ -sASYNCIFY_IMPORTS=[^ ]* / /' -e "s| -o bench/web/mcm-bare.js | -o $work/noasync-link/mcm-bare.js |")
[[ $link == *" -o $work/noasync-link/mcm-bare.js "* && $link != *ASYNCIFY* ]] ||
    { echo "the link of mcm-bare in $build/build.ninja is not as expected" >&2; exit 1; }
echo "linking the bare window without asyncify" >&2
(cd "$build" && nice -n 19 bash -c "$link")
noasync_site=$(site noasync "$work/noasync-link/mcm-bare.js" "$work/noasync-link/mcm-bare.wasm")

# Lever: binaryen's -Oz once more over the game's .wasm, with the features the
# link gave it (more change nothing: the code was compiled without them).
echo "optimising the game's .wasm again" >&2
BINARYEN_CORES=1 nice -n 19 wasm-opt -Oz --mvp-features --enable-mutable-globals \
    "$game_site/mcm-mcd.wasm" -o "$work/again.wasm"

# The faces the game carries, on their own: their share of its transfer.
grep -o '>[^<]*\.ttf<' "$build/forms/widgets/.rcc/bundled_faces.qrc" | tr -d '<>' | xargs cat > "$work/faces"
faces_count=$(grep -c '\.ttf<' "$build/forms/widgets/.rcc/bundled_faces.qrc")

raw() { stat -c %s "$1"; }
br() {
    [ -f "$1.br" ] || nice -n 19 brotli -q 11 -f -o "$1.br" "$1"
    stat -c %s "$1.br"
}

echo "measuring in headless Chromium" >&2
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
out=$(/usr/bin/python3 "$here/bench.py" "$game_site" "$bare_site" --also "noasync=$noasync_site" --loads 5 --idle 60)
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
echo "$out"
value() { echo "$out" | awk -v program="$1" -v name="$2" '$1 == program && $2 == name { print $3 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
mb() { awk -v v="$1" 'BEGIN { printf "%.2f MB", v / 1e6 }'; }
mib() { awk -v v="$1" 'BEGIN { printf "%.1f MiB", v / 1048576 }'; }
change() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f %%", 100 * (b - a) / a }'; }

game_wasm="$game_site/mcm-mcd.wasm"
bare_wasm="$bare_site/mcm-mcd.wasm"
noasync_wasm="$noasync_site/mcm-mcd.wasm"
qt_version=$(sed -n 's|^Qt6_DIR:PATH=.*/qt-web-\([0-9.]*\)-.*|\1|p' "$build/CMakeCache.txt")
files=$(value game transfer_files | sed 's/,/, /g')

section=$(cat <<MD
## Browser

Made by \`tools/web/bench.sh\` on $(date -u +%Y-%m-%d): the browser build (static Qt $qt_version, emscripten $(cat /usr/share/emscripten/emscripten-version.txt), Release,
\`cmake/web.cmake\`) beside a bare \`QWidget\` window of the game's size (\`bench/web\`: Qt Widgets only, the same link options), both
through the game's page served by \`tools/web/serve.py\`, in headless Chromium $(chromium --version 2>/dev/null | awk '{ print $2 }') on SwiftShader (software GL), on
the machine above while others built on it (load average $load_before before, $load_after after). Every load is cold: a fresh
profile, no cache, no service worker. "Drawn" is the first frame Qt draws into the canvas that matches the picture it settles
on (the game's name box, the bare window), read in the page right after Qt draws it.

| what | mcm-mcd | bare window | ratio | goal |
|---|---|---|---|---|
| transfer with brotli: what the page loads ($files), each as \`.br\` where there is one | $(mb "$(value game transfer_bytes)") | $(mb "$(value bare transfer_bytes)") | $(ratio "$(value game transfer_bytes)" "$(value bare transfer_bytes)")× | < 5 MB |
| sent in a whole first visit by \`serve.py\`, the service worker's copies included | $(mb "$(value game first_visit_bytes)") | $(mb "$(value bare first_visit_bytes)") | $(ratio "$(value game first_visit_bytes)" "$(value bare first_visit_bytes)")× | |
| navigation start to the window drawn, median of 5 cold loads | $(value game drawn_ms) ms | $(value bare drawn_ms) ms | $(ratio "$(value game drawn_ms)" "$(value bare drawn_ms)")× | ≤ 1.3× |
| the same, each load (ms) | $(value game drawn_all) | $(value bare drawn_all) | | |
| on the way: the \`.wasm\` received, median | $(value game wasm_loaded_ms) ms | $(value bare wasm_loaded_ms) ms | | |
| on the way: the runtime ready, \`main()\` next, median | $(value game running_ms) ms | $(value bare running_ms) ms | | |
| the tab's renderer process, peak resident memory (VmHWM) after the idle minute | $(value game renderer_hwm_kib) KiB | $(value bare renderer_hwm_kib) KiB | $(ratio "$(value game renderer_hwm_kib)" "$(value bare renderer_hwm_kib)")× | |
| WebAssembly memory then | $(mib "$(value game wasm_memory_bytes)") | $(mib "$(value bare wasm_memory_bytes)") | $(ratio "$(value game wasm_memory_bytes)" "$(value bare wasm_memory_bytes)")× | |
| CPU of the renderer and GPU processes over 60 s idle (the game at its first question, its clock ticking) | $(value game idle_cpu_percent) % | $(value bare idle_cpu_percent) % | | < 1 % |
| the same, renderer / GPU process | $(value game idle_cpu_renderer_percent) % / $(value game idle_cpu_gpu_percent) % | $(value bare idle_cpu_renderer_percent) % / $(value bare idle_cpu_gpu_percent) % | | |
| frames Qt drew a second, idle | $(value game idle_frames_per_s) | $(value bare idle_frames_per_s) | | |

| size lever | \`.wasm\` | with brotli | change with brotli |
|---|---|---|---|
| the game as built: \`-Oz\`, LTO, asyncify | $(mb "$(raw "$game_wasm")") | $(mb "$(br "$game_wasm")") | |
| the same, binaryen's \`-Oz\` once more, with the link's features | $(mb "$(raw "$work/again.wasm")") | $(mb "$(br "$work/again.wasm")") | $(change "$(br "$game_wasm")" "$(br "$work/again.wasm")") |
| of the game's \`.wasm\`: the $faces_count TrueType faces it carries | $(mb "$(raw "$work/faces")") | $(mb "$(br "$work/faces")") | |
| the bare window as built | $(mb "$(raw "$bare_wasm")") | $(mb "$(br "$bare_wasm")") | |
| the bare window linked without asyncify (drawn in $(value noasync drawn_ms) ms against $(value bare drawn_ms) ms, median of 5) | $(mb "$(raw "$noasync_wasm")") | $(mb "$(br "$noasync_wasm")") | $(change "$(br "$bare_wasm")" "$(br "$noasync_wasm")") |
MD
)

# The section goes before the Windows one, which its script rewrites to the end of the file.
doc="$top/docs/benchmarks.md"
printf '%s\n' "$section" > "$work/section.md"
awk -v file="$work/section.md" '
    function put() { while ((getline line < file) > 0) print line; print ""; done = 1 }
    /^## Browser$/ { put(); skip = 1; next }
    skip && /^## / { skip = 0 }
    skip { next }
    !done && /^## Windows, under Wine$/ { put() }
    { print }
    END { if (!done) { print ""; put() } }
' "$doc" > "$doc.new"
mv "$doc.new" "$doc"
echo "$section"
