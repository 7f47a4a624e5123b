#!/usr/bin/env bash
# Builds the Debian package of VELTA in build-package/ (or $VELTA_PACKAGE_DIR) and prints its
# path. Install it with: sudo apt install ./velta_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VELTA_PACKAGE_DIR:-$root/build-package}"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELTA_BUILD_TESTS=OFF -DVELTA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/velta_*.deb
