#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, when missing,
# and builds into build/. Sourced by tolvex.sh and test.sh.
set -euo pipefail

TOLVEX_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libturbojpeg0-dev libv4l-dev libasound2-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libswresample-dev
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core python3-pyftpdlib
)

tolvex_install_packages() {
  local missing=()
  for p in "${TOLVEX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

tolvex_build() {
  local src
  src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$src/build" --parallel "$(nproc)"
}
