#!/usr/bin/env bash
# Prints the tests' non-blank lines against the code's, and fails when the tests pass a third of it (0.34).
set -euo pipefail
cd "$(dirname "$0")/.."
# Every source file in the folder (a fresh machine may have no git to ask which are tracked).
count() {
    find "$1" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' -o -name '*.sh' -o -name '*.py' \
        -o -name '*.cmake' -o -name CMakeLists.txt \) -print0 | xargs -0 -r cat | grep -c -v '^\s*$'
}
code=$(count src)
tests=$(count tests)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.2f", t / c }')
echo "tests ${tests} / src ${code} non-blank lines = ${ratio}"
awk -v t="$tests" -v c="$code" 'BEGIN { exit !(t <= 0.34 * c) }' || { echo "the tests are more than 0.34 of the code"; exit 1; }
