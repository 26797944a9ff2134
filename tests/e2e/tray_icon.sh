#!/usr/bin/env bash
# With an X tray host (trayer): the player's icon appears, minimising hides the main window into
# the tray and a double-click on the icon brings it back. Without the tray the hidden window comes
# back; the icon returns with the tray. The tray menu's "Beenden" ends the player.
#
# usage: tray_icon.sh PLAYER_BINARY MAP_LOGGER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup "$1" "$2"
command -v trayer >/dev/null || e2e_fail "trayer is not installed"

TRAYER_PID=
start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 100 --heighttype pixel \
        --height 24 >>"$E2E_DIR/trayer.log" 2>&1 &
    TRAYER_PID=$!
}
stop_trayer() {
    [[ -n $TRAYER_PID ]] && kill -TERM "$TRAYER_PID" 2>/dev/null && wait "$TRAYER_PID" 2>/dev/null
    TRAYER_PID=
}
trap 'stop_trayer; e2e_cleanup' EXIT

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
    e2e_click "$main" 403 6  # the "_" label
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    xdotool mousemove --window "$(icon_id)" 11 11 click --repeat 2 --delay 80 1 ||
        e2e_fail "xdotool could not double-click the icon"
    [[ $(e2e_find_window "MP3-Brambleplayer") == "$main" ]] || e2e_fail "another main window"
}

start_trayer
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
hide_and_bring_back
e2e_pass "minimising hides the main window, a double-click on the icon shows it again"

e2e_click "$main" 403 6
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
stop_trayer
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
start_trayer
hide_and_bring_back
e2e_pass "without the tray the window comes back; the icon is back with the restarted tray"

# The context request opens the tray menu (an override-redirect window); Up wraps round to its
# last item, "Beenden".
maps_before=$(wc -l <"$E2E_DIR/maps.log")
menu_mapped() {
    tail -n +$((maps_before + 1)) "$E2E_DIR/maps.log" |
        awk -F '\t' -v pid="$E2E_PLAYER_PID" '$1 == "map" && $2 == pid && $4 == 1' | grep -q .
}
xdotool mousemove --window "$(icon_id)" 11 11 click 3 || e2e_fail "xdotool could not right-click"
e2e_wait_for "no tray menu" menu_mapped
xdotool key Up Return || e2e_fail "xdotool could not choose in the tray menu"
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
e2e_pass "the tray menu's Beenden ends the player"
