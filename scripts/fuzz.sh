#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 30),
# starting from the seed corpus in fuzz/corpus. New inputs go to a scratch copy, not the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWITH_FUZZERS=ON \
    -DWITH_TESTS=OFF -DWITH_BENCH=OFF -DWITH_HELP=OFF >/dev/null
cmake --build build-fuzz --target fuzz_cipher fuzz_keyfile
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for name in cipher keyfile; do
    cp -r "fuzz/corpus/$name" "$scratch/$name"
    echo "fuzz_$name: ${seconds} s"
    build-fuzz/fuzz_$name "$scratch/$name" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/ 2>&1 | grep -E '^(stat::number_of_executed_units|Done|==|SUMMARY)' || {
        echo "fuzz_$name failed; the input that broke it:"; ls build-fuzz/crash-* build-fuzz/timeout-* build-fuzz/oom-* 2>/dev/null; exit 1; }
done
