#!/usr/bin/env bash
# Sets up, builds and starts the workstation on its demo polyclinic (made in demo/ when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VELTA_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
demo="$root/demo"
if [ ! -f "$demo/main/velta.db" ]; then
  "$build/src/velta-admin" demo "$demo" "$build/src/velta"
fi
exec "$build/src/velta"
