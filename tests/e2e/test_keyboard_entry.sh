#!/usr/bin/env bash
# The real program under a real X server, driven from the keyboard alone: the unlock key, then a category,
# a site and a password entry, each added with Ctrl+A and saved with Ctrl+S; the entry then copies its
# password to the clipboard.
source "$(dirname "$0")/lib.sh"

KEY=314159
PASSWORD=pa55word

press() {
    xdotool key --clearmodifiers --delay 100 "$@"
    sleep 0.4
}

typed() {
    xdotool type --clearmodifiers --delay 60 "$1"
    sleep 0.4
}

start_x
start_dorvu
window=$(wait_window "Dorvu v4.0")
xdotool windowfocus --sync "$window"
sleep 0.5

# The tree has the focus at start; backwards past the check tool lies the unlock-key box.
press shift+Tab shift+Tab shift+Tab shift+Tab
typed "$KEY"
press Tab Tab Tab Tab

# A category under the root.
press ctrl+a
typed "Banks"
press ctrl+s
row_is() { [[ "$(sql "$1")" == "$2" ]]; }
eventually row_is "SELECT CatCode || '|' || CatName || '|' || CatLevel || '|' || Parent FROM Categories" "1|Banks|1|0" ||
    fail "category: $(sql 'SELECT * FROM Categories')"

# Esc hands the focus back to the tree; Down and Space make Banks current; Tab enters its sites.
press Escape
press Down space
press Tab
press ctrl+a
typed "My Bank"
press Tab
typed "https://bank.example"
press ctrl+s
eventually row_is "SELECT CatCode || '|' || SiteCode || '|' || SiteName || '|' || Rank || '|' || URL FROM URLs" \
    "1|1|My Bank|0|https://bank.example" || fail "site: $(sql 'SELECT * FROM URLs')"
# The panel stays open for the next site, its name box focused.
typed "Savings Bank"
press ctrl+s
eventually row_is "SELECT group_concat(SiteCode || ':' || SiteName) FROM URLs" "1:My Bank,2:Savings Bank" ||
    fail "second site: $(sql 'SELECT * FROM URLs')"

# Back in the sites list the arrows make a site current (only moving the current row clicks it);
# Tab then enters its (empty) passwords.
press Escape
press Down Up
press Tab
press ctrl+a
typed "me"
press Tab
typed "$PASSWORD"
press Tab
typed "main"
press ctrl+s
eventually row_is "SELECT CatCode || '|' || SiteCode || '|' || Ser || '|' || UserID || '|' || PWDesc FROM PWs" \
    "1|1|1|me|main" || fail "entry: $(sql 'SELECT * FROM PWs')"

[[ $(sql "SELECT UserPW FROM PWs") != "$PASSWORD" ]] || fail "the password was stored in clear"
[[ $(sql "SELECT count(*) FROM Categories") -eq 1 && $(sql "SELECT count(*) FROM URLs") -eq 2 ]] ||
    fail "stray rows: $(sql 'SELECT * FROM Categories; SELECT * FROM URLs')"
# Esc hands the focus back to the passwords list; Space clicks the entry, which copies its password,
# marked for clipboard managers as a secret.
press Escape
press space
clip() { xclip -o -selection clipboard "$@" 2>/dev/null; }
copied() { [[ "$(clip)" == "$PASSWORD" ]]; }
eventually copied || fail "the clipboard holds '$(clip)'"
clip -t TARGETS | grep -qx "x-kde-passwordManagerHint" || fail "no password-manager hint: $(clip -t TARGETS)"
[[ "$(clip -t x-kde-passwordManagerHint)" == "secret" ]] || fail "hint: $(clip -t x-kde-passwordManagerHint)"

kill -0 "$DORVU_PID" 2>/dev/null || fail "the program ended"
echo "1 passed, 0 failed"
