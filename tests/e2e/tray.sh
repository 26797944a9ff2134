#!/usr/bin/env bash
# Both trays: an X tray host (trayer), then one that speaks the D-Bus tray protocol (a watcher of
# the test's own on a private session bus).
# usage: tray.sh PLAYER MAP_LOGGER

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
# shellcheck source=tests/support/headless-env.sh
source "$(dirname "$0")/../support/headless-env.sh"
TRAY="/usr/bin/python3 $(dirname "$0")/sni_tray.py"
e2e_require trayer
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || e2e_fail "python3-dbus or python3-gi missing"
e2e_setup "$1" "$2"
e2e_at_exit stop_trays

start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 100 --heighttype pixel \
        --height 24 >>"$E2E_DIR/trayer.log" 2>&1 &
    TRAYER_PID=$!
}
stop_trayer() {
    [[ -n $TRAYER_PID ]] && kill -TERM "$TRAYER_PID" && wait "$TRAYER_PID" 2>/dev/null
    TRAYER_PID=
}
stop_trays() {
    stop_trayer
    [[ -n $TRAY_PID ]] && kill "$TRAY_PID"
    bramble_session_bus_stop
}

# The icon: the player's visible window of 22 x 22 pixels.
icon_id() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" \
        --classname '^brambleplayer$' 2>/dev/null); do
        [[ $(e2e_geometry "$id") == *" 22 22" ]] && echo "$id" && return 0
    done
    return 1
}
hide_and_bring_back() {
    e2e_wait_for "no tray icon" icon_id >/dev/null
    e2e_click "$main" 403 6 # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    xdotool mousemove --window "$(icon_id)" 11 11 click --repeat 2 --delay 80 1 ||
        e2e_fail "xdotool could not double-click the icon"
    [[ $(e2e_find_window "MP3-Brambleplayer") == "$main" ]] || e2e_fail "another main window"
}

start_trayer
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
hide_and_bring_back
# Hidden while the tray goes away, the window comes back; the icon returns with the tray.
e2e_click "$main" 403 6
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
stop_trayer
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
start_trayer
hide_and_bring_back
e2e_pass "the icon's double-click brings the minimised window back, also after the tray left"

# The tray menu is an override-redirect window; Up wraps round to its last item, "Beenden".
maps_before=$(wc -l <"$E2E_DIR/maps.log")
menu_mapped() {
    tail -n +$((maps_before + 1)) "$E2E_DIR/maps.log" | grep -qP "^map\t$E2E_PLAYER_PID\t\S+\t1\t"
}
xdotool mousemove --window "$(icon_id)" 11 11 click 3 || e2e_fail "xdotool could not right-click"
e2e_wait_for "no tray menu" menu_mapped
xdotool key Up Return || e2e_fail "xdotool could not choose in the tray menu"
e2e_wait_player_exit
e2e_pass "the tray menu's Beenden ends the player"

stop_trayer
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
    e2e_click "$main" 403 6
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    $TRAY activate "$item" || e2e_fail "Activate on the icon failed"
    e2e_poll "$E2E_DEADLINE_SECONDS" shown_and_active && ((shown++))
done
((shown == 10)) || e2e_fail "a click on the icon brought the player back $shown times of 10"
# The menu's items and states are the exporter's, checked with the tray menu; here the way there.
$TRAY click "$item" Beenden || e2e_fail "the menu item could not be chosen"
e2e_wait_player_exit
e2e_pass "a click on the D-Bus icon brings the player back with the focus, its menu's Beenden ends it"
