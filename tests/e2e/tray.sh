#!/usr/bin/env bash
# A tray that speaks the D-Bus tray protocol: a watcher of the test's own on a private session
# bus. (The X tray is the desktop script's.)
# usage: tray.sh PLAYER MAP_LOGGER

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
TRAY="/usr/bin/python3 $(dirname "$0")/sni_tray.py"
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || e2e_fail "python3-dbus or python3-gi missing"
e2e_setup "$1" "$2"
stop_tray() {
    kill "$TRAY_PID"
    bramble_session_bus_stop
}
e2e_at_exit stop_tray
bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
$TRAY watch >"$E2E_DIR/tray.log" 2>&1 &
TRAY_PID=$!
e2e_wait_for "the test's tray did not start" grep -q '^ready$' "$E2E_DIR/tray.log"
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
e2e_wait_for "the icon did not register with the tray" grep -q '^item ' "$E2E_DIR/tray.log"
item=$(awk '$1 == "item" { print $2; exit }' "$E2E_DIR/tray.log")

shown_and_active() {
    _e2e_shown "$main" "MP3-Brambleplayer" && [[ $(xdotool getwindowfocus 2>/dev/null) == "$main" ]]
}
shown=0
for ((round = 1; round <= 10; round++)); do
    e2e_click "$main" 403 6 # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    $TRAY activate "$item" || e2e_fail "Activate on the icon failed"
    e2e_poll "$E2E_DEADLINE_SECONDS" shown_and_active && ((shown += 1))
done
((shown == 10)) || e2e_fail "a click on the icon brought the player back $shown times of 10"
# The menu's items and states are the exporter's, checked with the tray menu; here the way there.
$TRAY click "$item" Beenden || e2e_fail "the menu item could not be chosen"
e2e_wait_player_exit
e2e_pass "a click on the icon brings the player back with the focus, its menu's Beenden ends it"
