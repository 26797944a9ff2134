#!/usr/bin/env bash
# What the playlist window shows is read from its pixels, what is heard from a recording of the
# null sink's monitor.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$2 # absolute: the lists name it from elsewhere
e2e_require pactl parec ffmpeg
pactl list short sinks 2>/dev/null | grep -q $'^[0-9]*\tnullsink\t' ||
    e2e_fail "no sound server with a sink 'nullsink' to record from; ./test starts one"
e2e_setup "$1/brambleplayer"
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

# heard MIN_TONES: sets TONES to the tones recorded ("HZ SECONDS" a line); true once there are
# MIN_TONES and the last has lasted half a second.
heard() {
    HEARD=$(bash "$(dirname "$0")/../support/tones.sh" "$RECORDING") ||
        e2e_fail "could not judge the recording"
    TONES=$(grep '^[0-9]' <<<"$HEARD")
    awk -v n="$1" 'END { exit !(NR >= n && $2 >= 0.5) }' <<<"$TONES"
}

near() { awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN { exit !(a != "" && a - b <= d && b - a <= d) }'; }

# First start, no settings and an empty folder list.
: >"$E2E_PROGRAM_DIR/folders.dat"
before=$(e2e_program_folder_listing)
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
# In twips at 96 DPI: the main window at 4575/1755, the playlist docked beneath it, enlarged.
e2e_expect_geometry "$main" "305 117 427 155" "main window"
e2e_expect_geometry "$playlist" "305 272 427 368" "playlist window"
xdotool search --all --pid "$E2E_PLAYER_PID" --classname '^brambleplayer$' 2>/dev/null |
    grep -qx "$main" || e2e_fail "the main window's WM_CLASS instance is not 'brambleplayer'"

mapped=$(awk -F '\t' '$1 == "map" { print $5 }' "$E2E_DIR/maps.log" | sort -u)
[[ $mapped == $'MP3-Brambleplayer\nPlaylist' ]] || e2e_fail "windows shown: ${mapped//$'\n'/, }"
e2e_click "$main" 281 60 # "Nächster Track"
e2e_poll 1 _e2e_streaming && e2e_fail "the player plays something with an empty playlist"
# The scan has run by now.
_e2e_green_lines "$playlist" 0 || e2e_fail "text in the playlist window: ${SHOWN//$'\n'/; }"
e2e_pass "both windows in place, nothing else shown, an empty playlist plays nothing"

e2e_close_player "$main"
[[ $(e2e_program_folder_listing) == "$before" ]] ||
    e2e_fail "the program folder changed: $(diff <(echo "$before") <(e2e_program_folder_listing))"
[[ -z $(ls -A "$E2E_DIR/elsewhere") ]] || e2e_fail "files in the working directory"
grep -qP '\tProgramm beenden$' "$E2E_DIR/maps.log" && e2e_fail "an exit question was shown"
e2e_pass "the X label ended the player at once and nothing was written"

# Shown and enlarged, confirm exit, quick info on, volume 0; a sparse folder list of 300 MB
# whose first lines are folders A and B.
printf ' 1 \r\n 1 \r\n 1 \r\n\r\n 1 \r\n 0 \r\n 0 \r\n' >"$E2E_PROGRAM_DIR/settings.cfg"
cp "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig"
printf '%s\r\n' "$FIXTURES/A" "$FIXTURES/B" >"$E2E_PROGRAM_DIR/folders.dat"
truncate -s 300M "$E2E_PROGRAM_DIR/folders.dat" || e2e_fail "could not make the huge folders.dat"
start_recording
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
# Only the list's start was read, and a commit would write back only that: the player says so.
box=$(e2e_find_window "Fehler") || exit 1
e2e_press_key "$box" Return
e2e_wait_window_gone "$box" "Fehler"
e2e_wait_green_lines "$playlist" 5 "the 5 files of folders A and B"
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PLAYER_PID/status")
((peak_kb < 200 * 1024)) || e2e_fail "the player's memory peaked at $((peak_kb / 1024)) MB"
# A player that started by itself at the scan would open its stream within moments.
e2e_poll 1 _e2e_streaming && e2e_fail "a sound stream before anything was started"
e2e_pass "a 300 MB folder list: cut and said so, 5 files listed, ${peak_kb} kB at most, silence"

e2e_click "$main" 281 60 # "Nächster Track"
e2e_wait_for "no sound stream of the player after clicking next" _e2e_streaming
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
stop_recording

e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
e2e_press_key "$question" Escape # "Nein"
e2e_wait_window_gone "$question" "Programm beenden"
e2e_poll 1 e2e_not bramble_alive "$E2E_PLAYER_PID" && e2e_fail "the player ended after Nein"
e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
e2e_press_key "$question" Return # "Ja"
e2e_wait_player_exit
cmp -s "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig" ||
    e2e_fail "settings.cfg changed: $(od -c "$E2E_PROGRAM_DIR/settings.cfg")"
e2e_pass "the exit question: Nein runs on, Ja ends; settings.cfg unchanged"

# A copy installed into a prefix, started with a fresh HOME by whoever runs the tests (root too,
# who could write anywhere), keeps its settings in the user's folder and changes nothing there.
PREFIX=$E2E_DIR/prefix
"$3" --install "$1" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(cat "$E2E_DIR/install.log")"
grep -qx 'audio/mpeg=brambleplayer.desktop;' "$PREFIX/share/applications/mimeinfo.cache" ||
    e2e_fail "the desktop database does not offer the player for MP3 files"
E2E_PROGRAM_DIR=$PREFIX/bin
prefix_listing() { (cd "$PREFIX" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(prefix_listing)
export HOME=$E2E_DIR/home
unset XDG_CONFIG_HOME
mkdir "$HOME"
SETTINGS=$HOME/.config/brambleplayer/settings.cfg

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_expect_geometry "$playlist" "305 272 427 368" "playlist window at the first start (enlarged)"
# The sound server's client library keeps its cookie in .config/pulse; the player writes nothing.
written=$(find "$HOME/.config" -mindepth 1 ! -path "$HOME/.config/pulse" \
    ! -path "$HOME/.config/pulse/*" 2>/dev/null)
[[ -z $written ]] || e2e_fail "the start wrote before anything was saved: $written"
# "Options", then by the keyboard "Playlist erweitert zeigen" (the third box) off and "OK"
# (past the folder, its "..." and the two quick-info boxes).
e2e_click "$main" 357 127
options=$(e2e_find_window "Optionen") || exit 1
for key in Tab Tab space Tab Tab Tab Tab Tab space; do
    e2e_press_key "$options" "$key"
done
e2e_wait_window_gone "$options" "Optionen"
e2e_wait_for "no $SETTINGS" test -s "$SETTINGS"
[[ $(sed -n 2p "$SETTINGS") == $' 0 \r' ]] ||
    e2e_fail "OK did not write the option off to $SETTINGS: $(od -c "$SETTINGS" | head -5)"
[[ -d $HOME/.config/brambleplayer/Playlist ]] || e2e_fail "no Playlist folder for saved lists"
e2e_close_player "$main"

# The next start reads the option back: the playlist window at its normal size.
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_expect_geometry "$playlist" "305 272 427 186" "playlist window at the next start (normal size)"
e2e_close_player "$main"
[[ $(prefix_listing) == "$before" ]] ||
    e2e_fail "the installation changed: $(diff <(echo "$before") <(prefix_listing))"
e2e_pass "OK wrote settings.cfg into $HOME/.config/brambleplayer, read back; the prefix unchanged"
