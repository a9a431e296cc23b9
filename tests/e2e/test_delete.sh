#!/usr/bin/env bash
# A second start of the real program ends at once, silently. Then, under a real X server, it deletes a large
# subtree from the keyboard (Down and Space make it current, Ctrl+D, Return confirms) and is killed in the
# middle: after a restart the store is sound and the delete entirely undone (or, had it finished, entirely done).
source "$(dirname "$0")/lib.sh"

press() {
    xdotool key --clearmodifiers --delay 100 "$@"
    sleep 0.4
}

# Makes the node below the root current in a freshly started program and confirms its deletion.
delete_first_category() {
    start_dorvu
    local window box
    window=$(wait_window "Dorvu v4.0")
    xdotool windowfocus --sync "$window"
    sleep 0.5
    press Down space
    # Ctrl+D acts when D is released; xdotool lets go of Ctrl first, as a quick hand does.
    xdotool key ctrl+d
    box=$(wait_window "Delete Confirmation")
    xdotool windowfocus --sync "$box"
    xdotool key --clearmodifiers Return
}

stop_dorvu() {
    kill "$DORVU_PID"
    wait "$DORVU_PID" 2>/dev/null || true
}

rows() { sql "SELECT (SELECT count(*) FROM Categories) || ',' || (SELECT count(*) FROM URLs) || ',' || (SELECT count(*) FROM PWs)"; }

start_x

# A first start creates the store; it is then filled while the program is not running: Banks (1) holds
# 20,000 subcategories of two sites with two entries each; Mail (4) one site and entry.
start_dorvu
wait_window "Dorvu v4.0" >/dev/null
status=0
QT_QPA_PLATFORM=xcb timeout 10 "$WORK/app/dorvu" >"$WORK/second.log" 2>&1 || status=$?
[[ $status -eq 0 ]] || fail "the second start ended with status $status"
kill -0 "$DORVU_PID" 2>/dev/null || fail "the first instance ended"
[[ $(xdotool search --onlyvisible --name "^Dorvu v4.0\$" | wc -l) -eq 1 ]] || fail "a second window appeared"
stop_dorvu
sql "WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 1 FROM n WHERE i < 20009)
     INSERT INTO Categories (CatCode, CatName, CatLevel, Parent) SELECT i, 'sub ' || i, 2, 1 FROM n;
     INSERT INTO Categories (CatCode, CatName, CatLevel, Parent) VALUES (1, 'Banks', 1, 0), (4, 'Mail', 1, 0);
     INSERT INTO URLs (CatCode, SiteCode, SiteName, Rank, URL)
         SELECT CatCode, s.value, 'site', 0, 'https://example' FROM Categories, json_each('[1,2]') AS s
         WHERE Categories.Parent = 1;
     INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW)
         SELECT CatCode, SiteCode, e.value, 'me', 'abc' FROM URLs, json_each('[1,2]') AS e;
     INSERT INTO URLs (CatCode, SiteCode, SiteName, Rank, URL) VALUES (4, 1, 'Inbox', 0, 'https://mail.example');
     INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW) VALUES (4, 1, 1, 'mail', 'jkl');"
before=$(rows)

# The delete's transaction has begun once its journal exists; the kill follows a moment later.
delete_first_category
journal=$WORK/app/Dorvudb.mdb-journal
eventually test -e "$journal" || fail "the delete never began writing"
sleep 0.$((RANDOM % 3))
kill -KILL "$DORVU_PID"
wait "$DORVU_PID" 2>/dev/null || true
[[ -e "$journal" ]] && outcome="killed in the middle" || outcome="killed after the commit"

start_dorvu
wait_window "Dorvu v4.0" >/dev/null
stop_dorvu
[[ $(sql "PRAGMA integrity_check") == ok ]] || fail "the store is damaged: $(sql 'PRAGMA integrity_check')"
[[ -z $(sql "PRAGMA foreign_key_check") ]] || fail "rows without their category: $(sql 'PRAGMA foreign_key_check')"
case "$outcome,$(rows)" in
    "killed in the middle,$before" | "killed after the commit,1,1,1") echo "$outcome: rows $(rows)" ;;
    *) fail "$outcome, yet the store holds $(rows) rows (before: $before)" ;;
esac
echo "2 passed, 0 failed"
