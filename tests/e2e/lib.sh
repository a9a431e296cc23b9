# Shared by the end-to-end tests: a private X server, a copy of the program in a temporary folder
# (the program keeps its files beside itself), and small waiting helpers.
set -euo pipefail

DORVU_BINARY=${1:?usage: test_x.sh path/to/dorvu}
WORK=$(mktemp -d)
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
PIDS=()

cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    # What the program printed helps more than the symptom.
    [[ -s "$WORK/dorvu.log" ]] && sed 's/^/dorvu: /' "$WORK/dorvu.log" >&2
    echo "FAIL: $*" >&2
    exit 1
}

start_x() {
    # The server admits only clients holding its own cookie, so no client of this test can reach another
    # test's server, whatever display number each picked. The entry matches any display (family "wild"),
    # since the server chooses its number only once it runs.
    export XAUTHORITY=$WORK/xauthority
    local cookie
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    : >"$XAUTHORITY"
    echo "ffff 0000  0000  0012 4d49542d4d414749432d434f4f4b49452d31 0010 $cookie" | xauth -q -f "$XAUTHORITY" nmerge -
    # Xvfb picks a free display itself and tells us which: no race with other servers starting meanwhile.
    # -noreset: a server resets when its last client leaves, and refuses clients that connect meanwhile.
    Xvfb -displayfd 1 -auth "$XAUTHORITY" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$WORK/display" \
        2>"$WORK/xvfb.log" &
    PIDS+=($!)
    for _ in $(seq 100); do
        if [[ -s "$WORK/display" ]]; then
            export DISPLAY=":$(head -n1 "$WORK/display")"
            xdotool getmouselocation >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    fail "no X server could be started: $(cat "$WORK/xvfb.log")"
}

# Puts the program into its own folder and starts it there.
start_dorvu() {
    mkdir -p "$WORK/app"
    cp "$DORVU_BINARY" "$WORK/app/dorvu"
    QT_QPA_PLATFORM=xcb "$WORK/app/dorvu" >"$WORK/dorvu.log" 2>&1 &
    DORVU_PID=$!
    PIDS+=($DORVU_PID)
}

# Waits for a window with this exact title and prints its id.
wait_window() {
    local title=$1 id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) || true
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window titled '$title'"
}

sql() {
    sqlite3 "$WORK/app/Dorvudb.mdb" "$@"
}

# Runs a command until it succeeds, for at most ~5 s.
eventually() {
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
