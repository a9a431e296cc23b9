#!/usr/bin/env bash
# The real program under a real X server: a category with subcategories, sites and entries is deleted from
# the keyboard (Down and Space make it current, Ctrl+D, Return confirms); its whole subtree leaves the store
# and everything else stays.
source "$(dirname "$0")/lib.sh"

press() {
    xdotool key --clearmodifiers --delay 100 "$@"
    sleep 0.4
}

start_x

# A first start creates the store; it is then filled while the program is not running.
start_dorvu
wait_window "Dorvu v4.0" >/dev/null
kill "$DORVU_PID"
wait "$DORVU_PID" 2>/dev/null || true
sql "INSERT INTO Categories (CatCode, CatName, CatLevel, Parent) VALUES
        (1, 'Banks', 1, 0), (4, 'Mail', 1, 0), (2, 'Cards', 2, 1), (3, 'Gold', 3, 2), (5, 'Loans', 2, 1);
     INSERT INTO URLs (CatCode, SiteCode, SiteName, Rank, URL) VALUES
        (1, 1, 'Bank', 0, 'https://bank.example'), (2, 1, 'Visa', 2, 'https://visa.example'),
        (3, 1, 'Gold card', 0, 'https://gold.example'), (4, 1, 'Inbox', 0, 'https://mail.example'),
        (4, 2, 'Spam', 0, 'https://spam.example');
     INSERT INTO PWs (CatCode, SiteCode, Ser, UserID, UserPW) VALUES
        (1, 1, 1, 'me', 'abc'), (2, 1, 1, 'card', 'def'), (3, 1, 1, 'gold', 'ghi'), (4, 1, 1, 'mail', 'jkl');"

start_dorvu
window=$(wait_window "Dorvu v4.0")
xdotool windowfocus --sync "$window"
sleep 0.5

# The tree has the focus, the root selected and expanded: Banks is the first node below it.
press Down space
# Ctrl+D acts when D is released; xdotool lets go of Ctrl first, as a quick hand does.
xdotool key ctrl+d
box=$(wait_window "Delete Confirmation")
xdotool windowfocus --sync "$box"
press Return

gone() { [[ $(sql "SELECT count(*) FROM Categories WHERE CatCode IN (1, 2, 3, 5)") -eq 0 ]]; }
eventually gone || fail "the subtree is still there: $(sql 'SELECT * FROM Categories')"
[[ $(sql "SELECT group_concat(CatCode || ':' || CatName) FROM Categories") == "4:Mail" ]] ||
    fail "categories: $(sql 'SELECT * FROM Categories')"
[[ $(sql "SELECT group_concat(CatCode || ':' || SiteCode, ',') FROM (SELECT * FROM URLs ORDER BY 1, 2)") == "4:1,4:2" ]] ||
    fail "sites: $(sql 'SELECT * FROM URLs')"
[[ $(sql "SELECT group_concat(CatCode || ':' || UserID) FROM PWs") == "4:mail" ]] ||
    fail "entries: $(sql 'SELECT * FROM PWs')"
kill -0 "$DORVU_PID" 2>/dev/null || fail "the program ended"
echo "1 passed, 0 failed"
