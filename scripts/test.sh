#!/usr/bin/env bash
# Builds Dorvu and runs every test: unit, widget (offscreen) and end-to-end (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
cd build
ctest --output-on-failure -j2
