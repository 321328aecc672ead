#!/usr/bin/env bash
# Installs the Debian packages that building and running need (and, for the tests,
# what testing needs), when missing, and builds into build/. Sourced by tolvex.sh and
# test.sh.
set -euo pipefail

TOLVEX_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libturbojpeg0-dev libv4l-dev libasound2-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libswresample-dev
  libcurl4-openssl-dev libcups2-dev libxcb1-dev libxcb-shm0-dev libfontconfig-dev
  fonts-dejavu-core
)
# Only the tests and benchmarks need these.
TOLVEX_TEST_PACKAGES=(
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-pyftpdlib curl ffmpeg poppler-utils
  # The end-to-end suite: X server, window manager, accessibility bus, input and
  # screenshots, and the real servers its cases start.
  xvfb openbox x11-utils xdotool imagemagick dbus dbus-x11 at-spi2-core
  python3 python3-pyatspi python3-gi gir1.2-atspi-2.0
  vsftpd cups cups-client cups-bsd ghostscript
  # The fuzz harnesses: clang and its fuzzer and sanitizer runtimes.
  clang libclang-rt-14-dev
)

# tolvex_install_packages [tests]
tolvex_install_packages() {
  local wanted=("${TOLVEX_PACKAGES[@]}")
  [ "${1:-}" = tests ] && wanted+=("${TOLVEX_TEST_PACKAGES[@]}")
  local missing=()
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

tolvex_source_dir() {
  cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
}

# The program alone: a build folder that has the tests configured keeps them, but
# only the program is built.
tolvex_build_program() {
  local src tests=OFF
  src="$(tolvex_source_dir)"
  grep -q '^TOLVEX_BUILD_TESTS:BOOL=ON' "$src/build/CMakeCache.txt" 2>/dev/null && tests=ON
  cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVEX_BUILD_TESTS=$tests -DTOLVEX_WERROR=OFF >/dev/null
  cmake --build "$src/build" --parallel "$(nproc)" --target tolvex
}

# Everything: the program, the tests and the benchmarks, warnings as errors (the
# program alone, built by ./tolvex.sh on a user's compiler, takes them as warnings).
tolvex_build_all() {
  local src
  src="$(tolvex_source_dir)"
  cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTOLVEX_BUILD_TESTS=ON -DTOLVEX_WERROR=ON >/dev/null
  cmake --build "$src/build" --parallel "$(nproc)"
}
