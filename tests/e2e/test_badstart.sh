#!/usr/bin/env bash
# A Dorvudb.mdb that is not a Dorvu store: the real program says so, naming the file, leaves the file
# alone and ends with a non-zero status.
source "$(dirname "$0")/lib.sh"

start_x
mkdir -p "$WORK/app"
head -c 4096 /dev/urandom >"$WORK/app/Dorvudb.mdb"
before=$(sha256sum <"$WORK/app/Dorvudb.mdb")
start_dorvu

box=$(wait_window "Dorvu v4.0")
# The box names the file and says why.
xdotool windowfocus --sync "$box"
xdotool key Return

status=0
for _ in $(seq 50); do kill -0 "$DORVU_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$DORVU_PID" 2>/dev/null && fail "the program is still running after the message"
wait "$DORVU_PID" || status=$?
[[ $status -ne 0 ]] || fail "the program ended with status 0"
[[ $(sha256sum <"$WORK/app/Dorvudb.mdb") == "$before" ]] || fail "the file was changed"
echo "1 passed, 0 failed"
