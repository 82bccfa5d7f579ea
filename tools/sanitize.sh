#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs it; any report fails the run. Build dir: $MCM_ASAN_BUILD.
# Needs: cmake g++ qt6-base-dev (libasan and libubsan come with g++)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${MCM_ASAN_BUILD:-$top/build-asan}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure
