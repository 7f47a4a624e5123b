#!/usr/bin/env bash
# Builds VELTA and runs the whole test suite headless: once in the normal build, then again in
# a build with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, or
# $VELTA_ASAN_BUILD_DIR), which aborts a test on the first use after free or undefined behaviour.
# VELTA_SKIP_SANITIZED=1 leaves the second run out (a quick local check).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VELTA_BUILD_DIR:-$root/build}"
asan="${VELTA_ASAN_BUILD_DIR:-$root/build-asan}"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j 2
if [ "${VELTA_SKIP_SANITIZED:-0}" != "1" ]; then
  echo "== The same suite with the sanitizers"
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTA_SANITIZE=ON \
        -DVELTA_BUILD_BENCH=OFF >/dev/null
  cmake --build "$asan" -j "$(nproc)"
  # Leaks of the toolkit's caches at exit are not what this run looks for.
  ASAN_OPTIONS="detect_leaks=0:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1" \
    ctest --test-dir "$asan" --output-on-failure -j 2
fi
