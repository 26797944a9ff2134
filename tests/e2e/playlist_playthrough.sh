#!/usr/bin/env bash
# From saved folders to sound. With folders.dat listing the two fixture folders, the scan fills
# the playlist window with their five titles, nothing plays until "Nächster Track" is clicked,
# then the first title is heard and, when it ends, the second follows by itself. With an empty
# folders.dat the window stays empty and the same click plays nothing. Built in the folder
# browser instead ("Insert", add the folder, "Verz. einfügen"), the playlist shows that folder's
# titles, folders.dat holds it, and "Nächster Track" plays its first file.
#
# usage: playlist_playthrough.sh PLAYER_BINARY MAP_LOGGER GREEN_TEXT_LINES TONE_RUNS FIXTURE_FOLDERS
#
# What the window shows is read from its pixels (lines of green text), what is heard from a
# recording of the null sink's monitor; the sound server's list of streams tells whether the
# player's process plays at all.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"

GREEN_TEXT_LINES=$3
TONE_RUNS=$4
SINK=nullsink

# folders.dat holds absolute paths: the player runs in another working directory.
FIXTURE_FOLDERS=$(cd "$5" 2>/dev/null && pwd) ||
    { echo "FAILED: no fixture folder '$5'" >&2; exit 1; }
e2e_require "$GREEN_TEXT_LINES" "$TONE_RUNS" pactl parec
for folder in A B; do
    [[ -d $FIXTURE_FOLDERS/$folder ]] ||
        { echo "FAILED: no fixture folder '$FIXTURE_FOLDERS/$folder'" >&2; exit 1; }
done
if ! pactl info >/dev/null 2>&1; then
    echo "FAILED: no PulseAudio server answers. This test records what the player plays; ./test" \
        "starts a private server with a null sink." >&2
    exit 1
fi
pactl list short sinks 2>/dev/null | awk -v sink="$SINK" '$2 == sink { found = 1 } END { exit !found }' ||
    { echo "FAILED: the sound server has no sink named '$SINK' to record from" >&2; exit 1; }

e2e_setup "$1" "$2"

PACER_PID=
RECORDER_PID=
RECORDING=$E2E_DIR/sink.raw

stop_recording() {
    local pid
    for pid in "$RECORDER_PID" "$PACER_PID"; do
        [[ -n $pid ]] || continue
        kill -TERM "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    RECORDER_PID=
    PACER_PID=
}
trap 'stop_recording; e2e_cleanup' EXIT

# The pacer keeps the null sink in step with the clock; without a low-latency reader it runs up
# to two seconds ahead and the recording is shifted.
start_recording() {
    parec -d "$SINK.monitor" --latency-msec=20 >/dev/null 2>&1 &
    PACER_PID=$!
    parec -d "$SINK.monitor" --raw --format=s16le --rate=44100 --channels=1 --latency-msec=20 \
        >"$RECORDING" 2>"$E2E_DIR/parec.log" &
    RECORDER_PID=$!
    local i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        [[ -s $RECORDING ]] && return 0
        e2e_alive "$RECORDER_PID" || break
        sleep 0.05
    done
    e2e_fail "parec recorded nothing from $SINK.monitor: $(cat "$E2E_DIR/parec.log")"
}

# Sets HEARD to the tones recorded so far, one "FREQUENCY SECONDS" line each.
read_tones_heard() {
    HEARD=$("$TONE_RUNS" "$RECORDING") || e2e_fail "could not analyse the recording"
}

# Leaves the player through the "X" label (no settings file: no question) and expects status 0.
close_player() {
    e2e_click "$1" 419 7
    e2e_wait_player_exit
    ((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
    kill -TERM "$E2E_MAP_LOG_PID" 2>/dev/null
    wait "$E2E_MAP_LOG_PID" 2>/dev/null
    E2E_MAP_LOG_PID=
}

start_player_and_find_windows() {
    e2e_start_player
    MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
    PLAYLIST=$(e2e_find_window "Playlist") || exit 1
    # Docked under the main window and, with no settings file, enlarged.
    e2e_expect_geometry "$PLAYLIST" "305 272 427 368" "playlist window"
}

# --- An empty folder list: no lines, and "Nächster Track" finds nothing to play ---------------

: >"$E2E_PROGRAM_DIR/folders.dat"
start_player_and_find_windows
# The scan runs about 200 ms after start; watch well past it.
for ((i = 0; i < 30; i++)); do
    e2e_read_green_text "$PLAYLIST"
    [[ ${SHOWN%%$'\n'*} == "lines 0" ]] ||
        e2e_fail "the playlist window shows text although folders.dat is empty: ${SHOWN//$'\n'/; }"
    sleep 0.05
done
e2e_click "$MAIN" 281 60
for ((i = 0; i < 20; i++)); do
    (($(e2e_player_streams) == 0)) || e2e_fail "the player plays something with an empty playlist"
    sleep 0.05
done
close_player "$MAIN"
e2e_pass "an empty folders.dat gives an empty playlist window, and next plays nothing"

# --- The two fixture folders ---------------------------------------------------------------

printf '%s\r\n' "$FIXTURE_FOLDERS/A" "$FIXTURE_FOLDERS/B" >"$E2E_PROGRAM_DIR/folders.dat"
start_recording
start_player_and_find_windows

e2e_wait_green_lines "$PLAYLIST" 5 "five lines of titles"
rows=${SHOWN#*$'\n'}
e2e_pass "the playlist window shows five lines of green text (rows ${rows//$'\n'/, })"

# A player that started by itself at the scan would open its stream within moments: watch a while.
for ((i = 0; i < 10; i++)); do
    (($(e2e_player_streams) == 0)) ||
        e2e_fail "the player opened a sound stream before anything was started: $(pactl list sink-inputs)"
    sleep 0.05
done
read_tones_heard
[[ -z $HEARD ]] || e2e_fail "sound was heard before anything was started: ${HEARD//$'\n'/; }"
e2e_pass "nothing plays before the user starts a track"

e2e_click "$MAIN" 281 60
e2e_wait_player_stream "after clicking next"
e2e_pass "clicking next opens a sound stream of the player's process"

# Wait until the second tone has been heard for a while: the first has then ended by itself.
# Two tracks of 2 s each; the deadline only bounds a failure.
second_tone_heard() {
    awk '$1 > 0 { n++; if (n == 2 && $2 >= 0.5) ok = 1 } END { exit !ok }' <<<"$1"
}
for ((i = 0; i < (E2E_DEADLINE_SECONDS + 4) * 10; i++)); do
    read_tones_heard
    second_tone_heard "$HEARD" && break
    e2e_alive "$E2E_PLAYER_PID" || e2e_fail "the player ended while playing"
    sleep 0.1
done
tones=$(awk '$1 > 0' <<<"$HEARD")
read -r first_hz first_s <<<"$(sed -n 1p <<<"$tones")"
read -r second_hz _ <<<"$(sed -n 2p <<<"$tones")"
near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a != "" && a - b <= d && b - a <= d) }'; }
if ! near "${first_hz:-}" 300 50 || ! near "${second_hz:-}" 500 50; then
    e2e_fail "expected 300 Hz, then 500 Hz; heard (Hz, seconds): ${HEARD//$'\n'/; }"
fi
# The whole first track, neither cut short nor started twice.
near "$first_s" 2.0 0.3 ||
    e2e_fail "the first track (300 Hz) was heard for $first_s s instead of about 2 s"
e2e_pass "heard the first title (${first_hz} Hz, ${first_s} s), then by itself the second (${second_hz} Hz)"

close_player "$MAIN"
stop_recording
e2e_pass "the X label ended the player with status 0"

# --- The folder browser builds the playlist -------------------------------------------------

# No saved folders; the standard folder is A. Shown, enlarged, no exit question, quick info on.
rm -f "$E2E_PROGRAM_DIR/folders.dat"
printf ' 1 \r\n 1 \r\n 0 \r\n%s\r\n 1 \r\n 0 \r\n 0 \r\n' "$FIXTURE_FOLDERS/A" \
    >"$E2E_PROGRAM_DIR/settings.cfg"
start_recording
start_player_and_find_windows
e2e_click "$MAIN" 21 127 # "Insert"
BROWSER=$(e2e_find_window "MP3 Verzeichnis einfügen") || exit 1
e2e_expect_not_visible "MP3-Brambleplayer"
e2e_click "$BROWSER" 20 250 # the arrow that adds the current folder
e2e_click "$BROWSER" 52 388 # "Verz. einfügen"
e2e_wait_window_gone "$BROWSER" "MP3 Verzeichnis einfügen"
MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
PLAYLIST=$(e2e_find_window "Playlist") || exit 1
e2e_wait_green_lines "$PLAYLIST" 3 "folder A's three titles after the commit"
[[ $(cat "$E2E_PROGRAM_DIR/folders.dat") == "$FIXTURE_FOLDERS/A"$'\r' ]] ||
    e2e_fail "folders.dat does not hold folder A alone: $(od -c "$E2E_PROGRAM_DIR/folders.dat")"
e2e_pass "the commit wrote folders.dat and the playlist window shows folder A's three titles"

e2e_click "$MAIN" 281 60
for ((i = 0; i < E2E_DEADLINE_SECONDS * 10; i++)); do
    read_tones_heard
    awk '$1 > 0 && $2 >= 0.5 { ok = 1 } END { exit !ok }' <<<"$HEARD" && break
    sleep 0.1
done
read -r first_hz _ <<<"$(awk '$1 > 0' <<<"$HEARD" | sed -n 1p)"
near "${first_hz:-}" 300 50 || e2e_fail "expected folder A's first file (300 Hz); heard: ${HEARD//$'\n'/; }"
e2e_pass "next plays folder A's first file (${first_hz} Hz)"
close_player "$MAIN"
stop_recording
