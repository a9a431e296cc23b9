#!/usr/bin/env bash
# The real program under a real X server: the window, the store it creates, and the single instance.
source "$(dirname "$0")/lib.sh"

start_x
start_dorvu
window=$(wait_window "Dorvu v4.0")
[[ -n "$window" ]] || fail "no main window"

[[ -f "$WORK/app/Dorvudb.mdb" ]] || fail "the store was not created"
mode=$(stat -c %a "$WORK/app/Dorvudb.mdb")
[[ "$mode" == 600 ]] || fail "the store has mode $mode"
tables=$(sql "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master WHERE type='table' ORDER BY name)")
[[ "$tables" == "Categories,PWs,URLs" ]] || fail "tables: $tables"
[[ $(sql "PRAGMA encoding") == "UTF-16le" ]] || fail "the store is not UTF-16le"

# A second start ends at once, silently, with status 0, while the first runs on.
start=$(date +%s%N)
status=0
QT_QPA_PLATFORM=xcb timeout 10 "$WORK/app/dorvu" >"$WORK/second.log" 2>&1 || status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[[ $status -eq 0 ]] || fail "the second start ended with status $status"
kill -0 "$DORVU_PID" 2>/dev/null || fail "the first instance ended"
[[ $(xdotool search --onlyvisible --name "^Dorvu v4.0\$" | wc -l) -eq 1 ]] || fail "a second window appeared"
echo "second start ended in ${elapsed_ms} ms"
echo "1 passed, 0 failed"
