#!/usr/bin/env bash
# A screen reader's view: on the accessibility bus the next-track glyph is a push button named
# "Nächster Track", and its press action starts playback as a click does. Every window of the
# player names every element that takes the focus or acts, and the volume slider set through
# the bus sets the sound server's volume and is saved as a drag is.
#
# usage: accessibility.sh PLAYER_BINARY MAP_LOGGER_BINARY FIXTURE_FOLDERS
#
# The player gets a private session bus, which starts the accessibility bus on request. Qt
# publishes its widgets only when it finds that bus through the session bus itself, so
# AT_SPI_BUS_ADDRESS must stay unset.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
FIXTURES=$(cd "$3" 2>/dev/null && pwd) || { echo "FAILED: no fixture folder '$3'" >&2; exit 1; }
# The Debian Python, which the Debian packages of the AT-SPI bindings go with.
PYTHON=/usr/bin/python3
e2e_require dbus-daemon pactl "$PYTHON"
"$PYTHON" -c "import gi; gi.require_version('Atspi', '2.0')" 2>/dev/null ||
    { echo "FAILED: python3-gi with gir1.2-atspi-2.0 is not installed" >&2; exit 1; }
e2e_setup "$1" "$2"

BUS_PID=
stop_bus() {
    [[ -n $BUS_PID ]] || return 0
    # The accessibility bus it started ends with it.
    kill -TERM "$BUS_PID" 2>/dev/null
    wait "$BUS_PID" 2>/dev/null
    BUS_PID=
}
# The sink's volume as the sound server counts it (65536 is 100 %), given back at the end: the
# tests that follow hear the sink at the volume they expect.
sink_level() {
    pactl get-sink-volume @DEFAULT_SINK@ 2>/dev/null | grep -o -m 1 '[0-9]* / *[0-9]*%' | head -n 1
}
SINK_LEVEL_BEFORE=$(sink_level | cut -d ' ' -f 1)
restore_sink() {
    [[ -n $SINK_LEVEL_BEFORE ]] && pactl set-sink-volume @DEFAULT_SINK@ "$SINK_LEVEL_BEFORE"
    return 0
}
trap 'e2e_cleanup; stop_bus; restore_sink' EXIT
dbus-daemon --session --nofork --print-address=3 3>"$E2E_DIR/bus-address" 2>"$E2E_DIR/bus.log" &
BUS_PID=$!
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    [[ -s $E2E_DIR/bus-address ]] && break
    sleep 0.05
done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_DIR/bus-address")
[[ -n $DBUS_SESSION_BUS_ADDRESS ]] || e2e_fail "the private session bus did not start"
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset AT_SPI_BUS_ADDRESS

printf '%s\r\n' "$FIXTURES/A" >"$E2E_PROGRAM_DIR/folders.dat"
e2e_start_player
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
(($(e2e_player_streams) == 0)) || e2e_fail "the player plays before anything was pressed"

# Pressed once the playlist window lists folder A's three files.
pressed=$("$PYTHON" "$HERE/atspi_press.py" "$E2E_PLAYER_PID" "Nächster Track" 3 2>&1) ||
    e2e_fail "AT-SPI: $pressed"
e2e_pass "AT-SPI $pressed"

e2e_wait_player_stream "after the press action"
e2e_pass "the press action started playback"

# Every window, as a screen reader walks it; last, the volume slider is set to 30 %.
walked=$("$PYTHON" "$HERE/atspi_walk.py" "$E2E_PLAYER_PID" 30 2>&1) || e2e_fail "AT-SPI: $walked"
e2e_pass "AT-SPI: $(tr '\n' ';' <<<"$walked")"

sink_volume() {
    sink_level | grep -o '[0-9]*%'
}
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    [[ $(sink_volume) == 30% ]] && break
    sleep 0.05
done
[[ $(sink_volume) == 30% ]] || e2e_fail "the sink volume is $(sink_volume), not 30%"
# The least slider value that shows 30 %: 30 % of 32767, rounded up.
saved=$(sed -n 7p "$E2E_PROGRAM_DIR/settings.cfg" 2>/dev/null | tr -d ' \r')
[[ $saved == 9831 ]] || e2e_fail "settings.cfg holds the volume '$saved', not 9831"
e2e_pass "the sink volume followed the slider to 30 %, and settings.cfg holds it"
