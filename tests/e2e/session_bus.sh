#!/usr/bin/env bash
# The player on a private session bus as a screen reader and a D-Bus tray (a watcher of the
# test's own; the X tray is the desktop script's) find it. Qt publishes its widgets only when it
# finds the accessibility bus through the session bus itself, so AT_SPI_BUS_ADDRESS stays unset.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$(e2e_folder "$3") || exit 1
TRAY="/usr/bin/python3 $(dirname "$0")/sni_tray.py"
e2e_require dbus-daemon pactl
/usr/bin/python3 -c "import dbus, gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    e2e_fail "python3-dbus, python3-gi or gir1.2-atspi-2.0 is not installed"
e2e_setup "$1" "$2"
sink_volume() {
    pactl get-sink-volume @DEFAULT_SINK@ | grep -o -m 1 '[0-9]* / *[0-9]*%' | head -n 1
}
# Given back at the end: the tests that follow hear the sink at the volume they expect.
SINK_BEFORE=$(sink_volume | cut -d ' ' -f 1)
restore() {
    kill "$TRAY_PID"
    bramble_session_bus_stop # the accessibility bus it started ends with it
    pactl set-sink-volume @DEFAULT_SINK@ "$SINK_BEFORE"
}
e2e_at_exit restore
bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset AT_SPI_BUS_ADDRESS
$TRAY watch >"$E2E_DIR/tray.log" 2>&1 &
TRAY_PID=$!
e2e_wait_for "the test's tray did not start" grep -q '^ready$' "$E2E_DIR/tray.log"

printf '%s\r\n' "$FIXTURES/A" >"$E2E_PROGRAM_DIR/folders.dat"
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
(($(e2e_player_streams) == 0)) || e2e_fail "the player plays before anything was pressed"
walked=$(/usr/bin/python3 "$(dirname "$0")/atspi_walk.py" "$E2E_PLAYER_PID" 30 2>&1) ||
    e2e_fail "AT-SPI: $walked"
e2e_pass "AT-SPI: $(tr '\n' ';' <<<"$walked")"
# Of the buttons pressed there, only "Nächster Track" plays.
e2e_wait_player_stream "after the press action"

sink_at_30() { [[ $(sink_volume) == *" 30%" ]]; }
e2e_wait_for "the sink volume did not reach 30%" sink_at_30
# The least slider value that shows 30 %: 30 % of 32767, rounded up.
saved=$(sed -n 7p "$E2E_PROGRAM_DIR/settings.cfg" 2>/dev/null | tr -d ' \r')
[[ $saved == 9831 ]] || e2e_fail "settings.cfg holds the volume '$saved', not 9831"
e2e_pass "the press started playback, the sink volume followed the slider, settings.cfg holds it"

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
