#!/usr/bin/env bash
# With an X tray host (trayer) on the display: the player's icon appears, minimising hides the
# main window into the tray and a double-click on the icon brings it back. The icon survives the
# tray host going away and coming back, and while there is no tray a hidden window is given
# back. The tray menu's "Beenden" ends the player.
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
    [[ -n $TRAYER_PID ]] || return 0
    kill -TERM "$TRAYER_PID" 2>/dev/null
    wait "$TRAYER_PID" 2>/dev/null
    TRAYER_PID=
}
trap 'stop_trayer; e2e_cleanup' EXIT

# The icon: the player's visible window of 22 x 22 pixels.
find_icon() {
    local i id
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        for id in $(xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" \
            --classname '^brambleplayer$' 2>/dev/null); do
            if [[ $(e2e_geometry "$id" | awk '{ print $3 "x" $4 }') == 22x22 ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.05
    done
    e2e_fail "no tray icon of the player within ${E2E_DEADLINE_SECONDS} s"
}
double_click() {
    xdotool mousemove --window "$1" 11 11 click --repeat 2 --delay 80 1 ||
        e2e_fail "xdotool could not double-click window $1"
}
minimise() {
    e2e_click "$1" 403 6  # the "_" label
}

start_trayer
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
icon=$(find_icon) || exit 1
e2e_pass "the icon appears in the tray"

minimise "$main"
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
double_click "$icon"
[[ $(e2e_find_window "MP3-Brambleplayer") == "$main" ]] || e2e_fail "another main window appeared"
e2e_pass "minimising hides the main window, a double-click on the icon shows it again"

minimise "$main"
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
stop_trayer
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
e2e_pass "the hidden main window comes back when the tray goes away"

start_trayer
icon=$(find_icon) || exit 1
minimise "$main"
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
double_click "$icon"
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
e2e_pass "the icon is back in the restarted tray and works"

# The context request opens the tray menu; Up wraps round to its last item, "Beenden".
mapped_before=$(wc -l <"$E2E_DIR/maps.log")
xdotool mousemove --window "$icon" 11 11 click 3 || e2e_fail "xdotool could not right-click"
menu_mapped() {
    tail -n +$((mapped_before + 1)) "$E2E_DIR/maps.log" |
        awk -F '\t' -v pid="$E2E_PLAYER_PID" '$1 == "map" && $2 == pid && $4 == 1' | grep -q .
}
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    menu_mapped && break
    sleep 0.05
done
menu_mapped || e2e_fail "no tray menu appeared on the right-click"
xdotool key Up Return || e2e_fail "xdotool could not choose in the tray menu"
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
e2e_pass "the tray menu's Beenden ends the player"
