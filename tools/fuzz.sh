#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: tools/fuzz.sh [seconds per target, default 60]
# Needs: cmake clang libclang-rt-14-dev qt6-base-dev
# Crashing inputs are left in $MCM_FUZZ_BUILD/artifacts; the script then fails.
set -euo pipefail

seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${MCM_FUZZ_BUILD:-/tmp/build-fuzz}

cmake -S "$top" -B "$build" -DMCM_FUZZ=ON -DBUILD_TESTING=OFF \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_val fuzz_recordfile

mkdir -p "$build/artifacts"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

run() {
    local target=$1 seeds=$2
    shift 2
    # New inputs go to a scratch corpus, so the seeds in the tree stay as written.
    local corpus="$build/corpus/$seeds"
    mkdir -p "$corpus"
    echo "== $target: ${seconds}s"
    "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$@" "$corpus" "$top/fuzz/corpus/$seeds"
}

status=0
run fuzz_val val || status=1
run fuzz_recordfile recordfile -max_len=70000 || status=1
if ((status)); then
    echo "fuzz: crash; inputs in $build/artifacts" >&2
fi
exit $status
