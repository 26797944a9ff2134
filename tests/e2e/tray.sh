#!/usr/bin/env bash
# With an X tray host (trayer): the player's icon appears, minimising hides the main window into
# the tray and a double-click on the icon brings it back. Without the tray the hidden window comes
# back; the icon returns with the tray. The tray menu's "Beenden" ends the player.
# Then with a tray that speaks the D-Bus tray protocol (a watcher of the test's own on a private
# session bus): the player's icon registers there, a click on it (Activate) brings the minimised
# player back with the keyboard focus every time, its menu holds the tray menu's items with their
# enabled states, and choosing "Beenden" there ends the player.
#
# usage: tray.sh PLAYER_BINARY MAP_LOGGER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
# shellcheck source=tests/support/headless-env.sh
source "$(dirname "$0")/../support/headless-env.sh"
e2e_require trayer
PYTHON=/usr/bin/python3
TRAY="$PYTHON $(dirname "$0")/sni_tray.py"
"$PYTHON" -c 'import dbus, gi' 2>/dev/null ||
    { echo "FAILED: python3-dbus and python3-gi are not installed" >&2; exit 1; }
e2e_setup "$1" "$2"

TRAYER_PID=
TRAY_PID=
trap 'stop_trayer; [[ -n $TRAY_PID ]] && kill "$TRAY_PID" 2>/dev/null; bramble_session_bus_stop
      e2e_cleanup' EXIT

start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 100 --heighttype pixel \
        --height 24 >>"$E2E_DIR/trayer.log" 2>&1 &
    TRAYER_PID=$!
}
stop_trayer() {
    [[ -n $TRAYER_PID ]] && kill -TERM "$TRAYER_PID" 2>/dev/null && wait "$TRAYER_PID" 2>/dev/null
    TRAYER_PID=
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

# The D-Bus tray, with no X tray beside it.
stop_trayer
bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
$TRAY watch >"$E2E_DIR/tray.log" 2>&1 &
TRAY_PID=$!
wait_for_line() {
    local pattern=$1 what=$2 i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        grep -qs "$pattern" "$E2E_DIR/tray.log" && return 0
        sleep 0.05
    done
    e2e_fail "$what; the tray said: $(cat "$E2E_DIR/tray.log")"
}
wait_for_line '^ready$' "the test's tray did not start"

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
wait_for_line '^item ' "the player's icon did not register with the tray"
item=$(awk '$1 == "item" { print $2; exit }' "$E2E_DIR/tray.log")

shown_and_active() {
    xdotool search --onlyvisible --pid "$E2E_PLAYER_PID" --name '^MP3-Brambleplayer$' 2>/dev/null |
        grep -qx "$main" && [[ $(xdotool getwindowfocus 2>/dev/null) == "$main" ]]
}
shown=0
for ((round = 1; round <= 10; round++)); do
    e2e_click "$main" 403 6  # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    $TRAY activate "$item" || e2e_fail "Activate on the icon failed"
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        shown_and_active && break
        sleep 0.05
    done
    shown_and_active && ((shown++))
done
echo "restored by a click on the icon: $shown of 10"
((shown == 10)) || e2e_fail "the player came back $shown times of 10"
e2e_pass "a click on the icon brings the minimised player back with the focus, 10 times of 10"

# depth, label, enabled, type, toggle state
menu=$($TRAY menu "$item") || e2e_fail "the icon's menu could not be read"
expect_item() {
    grep -qxF "$1" <<<"$menu" || e2e_fail "no menu item '$1' in the icon's menu:"$'\n'"$menu"
}
expect_item $'0\tPlayer wieder zeigen\tTrue\tstandard\t-1'
expect_item $'0\tWiedergeben\tFalse\tstandard\t-1'
expect_item $'0\tPause\tFalse\tstandard\t-1'
expect_item $'1\tLeiser um 10%\tTrue\tstandard\t-1'
expect_item $'0\tTracks normal abspielen\tTrue\tstandard\t1'
expect_item $'0\tBeenden\tTrue\tstandard\t-1'
(($(grep -c $'\tseparator\t' <<<"$menu") == 7)) || e2e_fail "not 7 separators:"$'\n'"$menu"
grep -q $'^0\tLautstärke' <<<"$menu" || e2e_fail "no volume sub-menu:"$'\n'"$menu"
e2e_pass "the icon's menu holds the tray menu's items with their enabled states"

$TRAY click "$item" Beenden || e2e_fail "the menu item could not be chosen"
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
e2e_pass "Beenden in the icon's menu ends the player"
