#!/usr/bin/env bash
# What the playlist window shows is read from its pixels, what is heard from a recording of the
# null sink's monitor.
# usage: playlist_playthrough.sh PLAYER MAP_LOGGER GREEN_TEXT_LINES TONE_RUNS FIXTURE_FOLDERS

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
GREEN_TEXT_LINES=$3
TONE_RUNS=$4
FIXTURES=$(e2e_folder "$5") || exit 1
e2e_require "$GREEN_TEXT_LINES" "$TONE_RUNS" pactl parec
pactl list short sinks 2>/dev/null | grep -q $'^[0-9]*\tnullsink\t' ||
    e2e_fail "no sound server with a sink 'nullsink' to record from; ./test starts one"
e2e_setup "$1" "$2"
RECORDING=$E2E_DIR/sink.raw

stop_recording() {
    kill -TERM "$RECORDER_PID" "$PACER_PID" 2>/dev/null
    wait "$RECORDER_PID" "$PACER_PID" 2>/dev/null
    RECORDER_PID='' PACER_PID=''
}
e2e_at_exit stop_recording

# The pacer keeps the null sink in step with the clock; without a low-latency reader it runs up
# to two seconds ahead and the recording is shifted.
start_recording() {
    parec -d nullsink.monitor --latency-msec=20 >/dev/null 2>&1 &
    PACER_PID=$!
    parec -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 \
        >"$RECORDING" 2>"$E2E_DIR/parec.log" &
    RECORDER_PID=$!
    e2e_wait_for "parec recorded nothing: $(cat "$E2E_DIR/parec.log")" test -s "$RECORDING"
}

# heard MIN_TONES: sets TONES to the tones recorded ("HZ SECONDS" a line, silence left out);
# true once there are MIN_TONES and the last has lasted half a second.
heard() {
    HEARD=$("$TONE_RUNS" "$RECORDING") || e2e_fail "could not analyse the recording"
    TONES=$(awk '$1 > 0' <<<"$HEARD")
    awk -v n="$1" 'END { exit !(NR >= n && (n == 0 || $2 >= 0.5)) }' <<<"$TONES"
}

near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a != "" && a - b <= d && b - a <= d) }'; }

start_and_find_windows() {
    start_recording
    e2e_start_player
    MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
    PLAYLIST=$(e2e_find_window "Playlist") || exit 1
}

printf '%s\r\n' "$FIXTURES/A" "$FIXTURES/B" >"$E2E_PROGRAM_DIR/folders.dat"
start_and_find_windows
e2e_wait_green_lines "$PLAYLIST" 5 "five lines of titles"
# A player that started by itself at the scan would open its stream within moments.
e2e_poll 1 _e2e_streaming && e2e_fail "a sound stream before anything was started"
heard 0
[[ -z $TONES ]] || e2e_fail "heard before anything was started: ${HEARD//$'\n'/; }"
e2e_pass "five titles listed, nothing plays before the user starts a track"

e2e_click "$MAIN" 281 60 # "Nächster Track"
e2e_wait_player_stream "after clicking next"
# Two tracks of 2 s each: once the second has sounded a while, the first ended by itself.
e2e_poll $((E2E_DEADLINE_SECONDS + 4)) heard 2
read -r first_hz first_s <<<"$(sed -n 1p <<<"$TONES")"
read -r second_hz _ <<<"$(sed -n 2p <<<"$TONES")"
if ! near "${first_hz:-}" 300 50 || ! near "${second_hz:-}" 500 50; then
    e2e_fail "expected 300 Hz, then 500 Hz; heard (Hz, seconds): ${HEARD//$'\n'/; }"
fi
# The whole first track, neither cut short nor started twice.
near "$first_s" 2.0 0.3 || e2e_fail "the first track was heard for $first_s s, not about 2 s"
e2e_pass "heard the first title (${first_hz} Hz, ${first_s} s), then by itself the second"
e2e_close_player "$MAIN"
stop_recording

# No saved folders, folder A the standard one; the folder browser builds the list.
rm "$E2E_PROGRAM_DIR/folders.dat"
printf ' 1 \r\n 1 \r\n 0 \r\n%s\r\n 1 \r\n 0 \r\n 0 \r\n' "$FIXTURES/A" >"$E2E_PROGRAM_DIR/settings.cfg"
start_and_find_windows
e2e_click "$MAIN" 21 127 # "Insert"
BROWSER=$(e2e_find_window "MP3 Verzeichnis einfügen") || exit 1
_e2e_shown "$MAIN" "MP3-Brambleplayer" && e2e_fail "the main window stays beside the browser"
e2e_click "$BROWSER" 20 250 # the arrow that adds the current folder
e2e_click "$BROWSER" 52 388 # "Verz. einfügen"
e2e_wait_window_gone "$BROWSER" "MP3 Verzeichnis einfügen"
MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
PLAYLIST=$(e2e_find_window "Playlist") || exit 1
e2e_wait_green_lines "$PLAYLIST" 3 "folder A's three titles after the commit"
e2e_click "$MAIN" 281 60
e2e_poll "$E2E_DEADLINE_SECONDS" heard 1
read -r first_hz _ <<<"$(sed -n 1p <<<"$TONES")"
near "${first_hz:-}" 300 50 || e2e_fail "expected folder A's first file (300 Hz); heard: ${HEARD//$'\n'/; }"
e2e_pass "the browser's commit listed folder A, and next plays its first file"
e2e_close_player "$MAIN"
