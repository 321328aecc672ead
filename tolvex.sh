#!/usr/bin/env bash
# Installs what is missing, builds, installs the program into its program folder
# (~/Tolvex, or $TOLVEX_HOME) and starts it there with the given switches.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/tools/deps.sh"
tolvex_install_packages
tolvex_build_program
home="${TOLVEX_HOME:-$HOME/Tolvex}"
cmake --install "$here/build" --prefix "$home" >/dev/null
cd "$home"
exec "$home/tolvex" "$@"
