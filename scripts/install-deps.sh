#!/usr/bin/env bash
# Installs the Debian packages VELTA needs, only those that are missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libzip-dev libshp-dev
          libbenchmark-dev fonts-liberation poppler-utils ccache desktop-file-utils dpkg util-linux)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
