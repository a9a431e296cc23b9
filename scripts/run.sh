#!/usr/bin/env bash
# Builds Dorvu and starts it (installing the build dependencies first when they are missing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
exec build/dorvu
