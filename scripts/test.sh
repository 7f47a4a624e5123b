#!/usr/bin/env bash
# Builds VELTA and runs the whole test suite, headless.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VELTA_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j 2
