#!/usr/bin/env bash
# Builds Dorvu and installs it for this user: the program and its help in PREFIX (default ~/.local/opt/dorvu,
# where it keeps its store), the menu entry and icons under ~/.local/share. Installing again upgrades the
# program and leaves the store and key.chk alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-install -G Ninja -DCMAKE_BUILD_TYPE=Release -DWITH_TESTS=OFF -DWITH_BENCH=OFF >/dev/null
cmake --build build-install
cmake --install build-install ${PREFIX:+--prefix "$PREFIX"}
# Menus that cache their entries look again.
command -v update-desktop-database >/dev/null && update-desktop-database -q "${XDG_DATA_HOME:-$HOME/.local/share}/applications" || true
