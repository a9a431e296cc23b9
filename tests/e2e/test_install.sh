#!/usr/bin/env bash
# Installing puts the program, its help, the menu entry and the icons in place; the installed program makes its
# store beside itself; installing again, as an upgrade does, leaves the store and key.chk byte for byte.
source "$(dirname "$0")/lib.sh"

export HOME=$WORK/home XDG_DATA_HOME=
prefix=$HOME/.local/opt/dorvu
data=$HOME/.local/share
install_dorvu() {
    cmake --install "$(dirname "$DORVU_BINARY")" --prefix "$prefix" >"$WORK/install.log" ||
        fail "installing failed: $(cat "$WORK/install.log")"
}

install_dorvu
desktop-file-validate "$data/applications/dorvu.desktop" || fail "the menu entry is not valid"
grep -qx "Exec=\"$prefix/dorvu\"" "$data/applications/dorvu.desktop" || fail "the menu entry starts another program"
for size in 16 32 48 256; do
    [[ $(file -b "$data/icons/hicolor/${size}x$size/apps/dorvu.png") == "PNG image data, $size x $size,"* ]] ||
        fail "no $size-pixel icon"
done

start_x
QT_QPA_PLATFORM=xcb "$prefix/dorvu" >"$WORK/dorvu.log" 2>&1 &
DORVU_PID=$!
PIDS+=($DORVU_PID)
wait_window "Dorvu v4.0" >/dev/null
[[ -f "$prefix/Dorvudb.mdb" ]] || fail "the installed program made no store beside itself"
kill "$DORVU_PID"
wait "$DORVU_PID" 2>/dev/null || true

printf 'a sentence\r\n' >"$prefix/key.chk"
before=$(sha256sum "$prefix/Dorvudb.mdb" "$prefix/key.chk")
install_dorvu
[[ $(sha256sum "$prefix/Dorvudb.mdb" "$prefix/key.chk") == "$before" ]] || fail "the upgrade changed the store or key.chk"
echo "1 passed, 0 failed"
