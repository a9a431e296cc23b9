#!/usr/bin/env bash
# Installs the Debian packages Dorvu needs when they are missing: to build it, and with --test to test it.
set -euo pipefail

# fp-utils brings chmcmd, which compiles the help pages into dorvu.chm.
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libsqlite3-dev fonts-dejavu-core fp-utils)
if [[ "${1:-}" == "--test" ]]; then
    # A real X server for the end-to-end tests, the store's command-line client, and clang for fuzzing.
    packages+=(xvfb xauth xdotool xclip sqlite3 clang libclang-rt-14-dev desktop-file-utils file)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
