#!/usr/bin/env bash
# A screen reader's view. Qt publishes its widgets only when it finds the accessibility bus
# through the session bus itself, so AT_SPI_BUS_ADDRESS must stay unset.
# usage: accessibility.sh PLAYER MAP_LOGGER FIXTURE_FOLDERS

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$(e2e_folder "$3") || exit 1
e2e_require dbus-daemon pactl
/usr/bin/python3 -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    e2e_fail "python3-gi with gir1.2-atspi-2.0 is not installed"
e2e_setup "$1" "$2"
sink_volume() {
    pactl get-sink-volume @DEFAULT_SINK@ | grep -o -m 1 '[0-9]* / *[0-9]*%' | head -n 1
}
# Given back at the end: the tests that follow hear the sink at the volume they expect.
SINK_BEFORE=$(sink_volume | cut -d ' ' -f 1)
restore() {
    bramble_session_bus_stop # the accessibility bus it started ends with it
    pactl set-sink-volume @DEFAULT_SINK@ "$SINK_BEFORE"
}
e2e_at_exit restore
bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset AT_SPI_BUS_ADDRESS

printf '%s\r\n' "$FIXTURES/A" >"$E2E_PROGRAM_DIR/folders.dat"
e2e_start_player
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
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
