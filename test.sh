#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (output shown on failure).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/tools/deps.sh"
tolvex_install_packages tests
tolvex_build_all
export QT_QPA_PLATFORM=offscreen
cd "$here/build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
