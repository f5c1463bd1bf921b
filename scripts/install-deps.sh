#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when missing.
set -euo pipefail
packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev qt6-base-dev clang libclang-rt-14-dev gcc-arm-none-eabi libmgba-dev
          libosmesa6-dev libglu1-mesa-dev libpng-dev zlib1g-dev
          libqt6opengl6-dev xvfb xauth locales
          libx11-dev libxtst-dev)
# Tiled maps: XML and zstd-compressed cells.
packages+=(libpugixml-dev libzstd-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The GUI tests check numbers under a decimal-comma locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "de_DE.UTF-8 could not be generated; that test is skipped"
fi
