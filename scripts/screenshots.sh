#!/usr/bin/env bash
# Starts Dorvu under Xvfb on a sample store and takes the README's screenshots into docs/screenshots:
# the empty window, the window with a tree, sites and entries, the edit panel open, and the about box.
# SCALE=2 draws everything at twice the size, as on a high-dpi screen; OUT=folder puts the pictures elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target dorvu grab_window
out=${OUT:-$PWD/docs/screenshots}
mkdir -p "$out"
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

export XAUTHORITY=$work/xauthority XDG_RUNTIME_DIR=$work/runtime QT_SCALE_FACTOR=${SCALE:-1}
mkdir -m 700 "$XDG_RUNTIME_DIR"
: >"$XAUTHORITY"
echo "ffff 0000  0000  0012 4d49542d4d414749432d434f4f4b49452d31 0010 $(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')" |
    xauth -q -f "$XAUTHORITY" nmerge -
Xvfb -displayfd 1 -auth "$XAUTHORITY" -screen 0 2560x2048x24 -nolisten tcp -noreset >"$work/display" 2>/dev/null &
pids+=($!)
until [[ -s "$work/display" ]]; do sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
mkdir "$work/app"
cp build/dorvu "$work/app/"

start() {
    QT_QPA_PLATFORM=xcb "$work/app/dorvu" >>"$work/dorvu.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [[ -n "$window" ]] && break
        sleep 0.1
    done
    xdotool windowfocus --sync "$window"
    sleep 1
}
press() { xdotool key --clearmodifiers --delay 150 "$@"; sleep 0.5; }
shot() { build/grab_window "$window" "$out/$1.png"; echo "$out/$1.png"; }

start "Dorvu v4.0"
shot empty
kill "${pids[-1]}"
wait "${pids[-1]}" 2>/dev/null || true

sqlite3 "$work/app/Dorvudb.mdb" "
    INSERT INTO Categories VALUES (1, 'Banks', 1, 0), (2, 'Cards', 2, 1), (3, 'Mail', 1, 0), (4, 'Shopping', 1, 0),
        (5, 'Work', 1, 0), (6, 'Travel', 1, 0);
    INSERT INTO URLs VALUES (1, 1, 2, 'City Bank', 'https://citybank.example', 'Current and savings accounts'),
        (1, 2, 1, 'Credit Union', 'https://union.example', 'Mortgage'),
        (1, 3, 0, 'Savings & Loans', 'https://loans.example', NULL),
        (1, 4, 0, 'Brokerage', 'https://stocks.example', 'Pension fund');
    INSERT INTO PWs VALUES (1, 1, 1, 'jsmith', 'mo*s9dxI', 'Online banking'),
        (1, 1, 2, 'jsmith-biz', 'Tr0u4ds', 'Business account'), (1, 1, 3, '40021877', 'p2n9Aq', 'Telephone banking');"
start "Dorvu v4.0"
# From the tree, back to the unlock key; then Banks, its sites, and City Bank's entries.
press shift+Tab shift+Tab shift+Tab shift+Tab
xdotool type --delay 80 271828
press Tab Tab Tab Tab Down space Tab Down Down Up
shot window
press ctrl+e
shot edit-panel
press Escape
# The toolbar's Help button, the second from the right, opens the about box.
xdotool mousemove --window "$window" $((488 * ${SCALE:-1})) $((18 * ${SCALE:-1})) click 1
sleep 1
window=$(xdotool search --onlyvisible --name "^About\$" | head -n1)
shot about
