#!/usr/bin/env bash
# Builds Dorvu and runs every test: unit, widget (offscreen) and end-to-end (Xvfb); then the unit and widget
# tests again in a build with AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target for
# FUZZ_SECONDS (30 by default). With --quick, only the first build's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
step() { echo "== $1 ($(date +%T))"; }

step "build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
(cd build && ctest --output-on-failure -j2)
[[ "${1:-}" == "--quick" ]] && exit 0

step "sanitizers: build and test"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWITH_SANITIZERS=ON -DWITH_BENCH=OFF \
    -DWITH_HELP=OFF >/dev/null
cmake --build build-asan
(cd build-asan && ctest --output-on-failure -j2 -E '^e2e_')

step "fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
scripts/test-ratio.sh
step "done"
