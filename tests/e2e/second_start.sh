#!/usr/bin/env bash
# Starts without a display, options that only print, and second starts beside a running player:
# once over a private session bus, once without one (where both meet on the local socket). On the
# bus, a press on "Nächster Track" plays (the trays are the desktop script's).

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$2 # absolute: the lists name it from elsewhere
e2e_require xwininfo xmessage dbus-daemon dbus-send pactl
e2e_setup "$1"
PLAYER=$E2E_PROGRAM_DIR/brambleplayer
sink_volume() {
    pactl get-sink-volume @DEFAULT_SINK@ | grep -o -m 1 '[0-9]* / *[0-9]*%' | head -n 1
}
# Given back at the end: the tests that follow hear the sink at the volume they expect.
SINK_BEFORE=$(sink_volume | cut -d ' ' -f 1)
stop_all() {
    bramble_session_bus_stop
    pactl set-sink-volume @DEFAULT_SINK@ "$SINK_BEFORE"
    [[ -n $COVER_PID ]] && kill "$COVER_PID"
    [[ -n $SECOND_PID ]] && kill "$SECOND_PID"
}
e2e_at_exit stop_all
printf '%s\r\n' "$FIXTURES/A" >"$E2E_PROGRAM_DIR/folders.dat"
SOCKET=$XDG_RUNTIME_DIR/brambleplayer
NO_BUS="unix:path=$E2E_DIR/no-session-bus"
NOT_MP3=$FIXTURES/../audio/not_audio.mp3
# Copies of a 4 s tone, each told apart by its name and still playing when looked for; the names
# of two are Latin-1, not UTF-8, as on old disks.
LATIN1_BUS=$'\xdcbergabe am Bus.mp3'
LATIN1_START=$'Gr\xfc\xdfe ohne Bus.mp3'
for name in "$LATIN1_BUS" "Übergabe am Socket.mp3" "$LATIN1_START"; do
    cp "$FIXTURES/../audio/tone_550hz_4s.mp3" "$E2E_DIR/$name"
done

# is_above WINDOW_ID OTHER_ID: in the X server's stacking order.
is_above() {
    xwininfo -root -children | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
        '$1 == a { if (!seen_b) ok = 1 } $1 == b { seen_b = 1 } END { exit !ok }'
}

# refused_with_message WHAT SAID [ARGUMENT...]: the player started again from elsewhere shows a
# message box "Fehler", then ends with status 1; where SAID is given, standard error says it too.
refused_with_message() {
    (cd "$E2E_DIR/elsewhere" && exec "$PLAYER" "${@:3}") </dev/null >"$E2E_DIR/second.log" 2>&1 &
    SECOND_PID=$!
    box=$(e2e_find_window "Fehler" "$SECOND_PID") || e2e_fail "$1: $(cat "$E2E_DIR/second.log")"
    e2e_press_key "$box" Return
    e2e_wait_for "$1: the second start still runs" e2e_not bramble_alive "$SECOND_PID"
    wait "$SECOND_PID"
    status=$?
    SECOND_PID=
    ((status == 1)) || e2e_fail "$1: the second start ended with status $status after its message"
    [[ -n $2 ]] || return 0
    grep -q "^brambleplayer: .*$2" "$E2E_DIR/second.log" ||
        e2e_fail "$1: standard error did not say '$2': $(cat "$E2E_DIR/second.log")"
    _e2e_streaming || e2e_fail "$1: the running player stopped playing"
}

opened() {
    LC_ALL=C find "/proc/$E2E_PLAYER_PID/fd" -lname "$1" 2>/dev/null | grep -q .
}

# hands_over WHAT FILE [ENVIRONMENT...]: a second start with two files ends with status 0, and the
# running player opens the first.
hands_over() {
    local what=$1 file=$2
    shift 2
    (cd "$E2E_DIR/elsewhere" &&
        exec timeout 10 env "$@" "$PLAYER" "$file" "$FIXTURES/B/d_1200hz_2s.mp3") \
        </dev/null >"$E2E_DIR/second.log" 2>&1 ||
        e2e_fail "$what: the second start ended with status $?: $(cat "$E2E_DIR/second.log")"
    e2e_wait_for "$what: the running player did not open $file" opened "$file"
    opened "*/d_1200hz_2s.mp3" && e2e_fail "$what: the running player opened the second file named as well"
    e2e_pass "$what: the second start handed its first file to the running player"
}

# cover_player WHAT: a window of another program over the playing player.
cover_player() {
    xmessage -name cover -geometry 427x155+305+117 "over the player" &
    COVER_PID=$!
    e2e_wait_for "$1: no window came over the player" cover_over
}

cover_over() {
    COVER=$(xdotool search --onlyvisible --classname "^cover$" 2>/dev/null | head -n 1)
    [[ -n $COVER ]] && is_above "$COVER" "$MAIN"
}

folder_state() {
    e2e_program_folder_listing
    (cd "$E2E_PROGRAM_DIR" && find . -type f -exec md5sum {} + | sort)
}

# plain_second_start WHAT: without a file, it raises the first and ends without touching the
# program folder (not even the leftover of an interrupted write, which a start-up removes).
plain_second_start() {
    : >"$E2E_PROGRAM_DIR/settings.cfg.bramble-tmp"
    local before
    before=$(folder_state)
    (cd "$E2E_DIR/elsewhere" && timeout 10 "$PLAYER") </dev/null >"$E2E_DIR/second.log" 2>&1 ||
        e2e_fail "$1: the second start ended with status $?: $(cat "$E2E_DIR/second.log")"
    [[ $(folder_state) == "$before" ]] ||
        e2e_fail "$1: the second start changed the program folder"
    [[ -z $(ls -A "$E2E_DIR/elsewhere") ]] || e2e_fail "$1: files in the working directory"
    e2e_wait_for "$1: the running player did not come to the front" is_above "$MAIN" "$COVER"
    _e2e_streaming || e2e_fail "$1: the running player stopped playing"
    e2e_pass "$1: the second start ended with status 0; the first came to the front, plays on"
    rm "$E2E_PROGRAM_DIR/settings.cfg.bramble-tmp"
}

# frozen_first_player WHAT: a running player that does not answer within 2 s is told of.
frozen_first_player() {
    kill -STOP "$E2E_PLAYER_PID"
    refused_with_message "$1: the running player does not answer" ""
    kill -CONT "$E2E_PLAYER_PID"
}

# Without a usable display (none set, or one nobody serves): one line on standard error and
# status 1, instead of aborting with a core dump.
unused=9
while [[ -e /tmp/.X11-unix/X$unused ]]; do unused=$((unused + 1)); done
mkdir "$E2E_DIR/no-display"
for setting in "-u DISPLAY" "DISPLAY=:$unused"; do
    status=0
    # shellcheck disable=SC2086 # the setting is two words or one
    (cd "$E2E_DIR/no-display" && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $setting "$PLAYER") \
        </dev/null >"$E2E_DIR/out" 2>"$E2E_DIR/err" || status=$?
    err=$(cat "$E2E_DIR/err")
    [[ $status == 1 && ! -s $E2E_DIR/out && $(wc -l <"$E2E_DIR/err") == 1 && $err == *Anzeige* ]] ||
        e2e_fail "$setting: status $status instead of 1 with one line about the display: $err"
    [[ -z $(ls -A "$E2E_DIR/no-display") ]] || e2e_fail "$setting: left files behind (a core dump?)"
done
e2e_pass "without a display: status 1 and one line: $err"

bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
e2e_start_player
MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
_e2e_streaming && e2e_fail "the player plays before anything was pressed"
e2e_wait_green_lines "$(e2e_find_window "Playlist")" 3 "the folder's three titles"
e2e_click "$MAIN" 281 60 # "Nächster Track"
e2e_wait_for "no sound stream of the player after a click on next" _e2e_streaming

cover_player "with a session bus"
# Options only print: no display needed, and the running player stays behind the cover.
if ! { DISPLAY='' "$PLAYER" --help >"$E2E_DIR/help.out" 2>"$E2E_DIR/help.err" &&
    head -n 1 "$E2E_DIR/help.out" | grep -q '^Aufruf: brambleplayer' && [[ ! -s $E2E_DIR/help.err ]]; }; then
    e2e_fail "--help did not print its text alone: $(cat "$E2E_DIR/help.out" "$E2E_DIR/help.err")"
fi
[[ $("$PLAYER" --version 2>&1) == "MP3-Brambleplayer "[0-9]* ]] ||
    e2e_fail "--version printed '$("$PLAYER" --version 2>&1)'"
"$PLAYER" --lauter >"$E2E_DIR/bad.out" 2>"$E2E_DIR/bad.err"
status=$?
if ((status != 2)) || [[ -s $E2E_DIR/bad.out || $(wc -l <"$E2E_DIR/bad.err") != 1 ]]; then
    e2e_fail "an unknown option: status $status, output '$(cat "$E2E_DIR/bad.out" "$E2E_DIR/bad.err")'"
fi
is_above "$COVER" "$MAIN" || e2e_fail "an option brought the running player to the front"
e2e_pass "--help, --version and an unknown option only print"

plain_second_start "with a session bus"
hands_over "with a session bus, a Latin-1 name" "$E2E_DIR/$LATIN1_BUS"
hands_over "without a bus, beside a player with one" "$E2E_DIR/Übergabe am Socket.mp3" \
    DBUS_SESSION_BUS_ADDRESS="$NO_BUS"
refused_with_message "a folder" "ist ein Verzeichnis" "$FIXTURES/B"
refused_with_message "a text file named .mp3" "ist keine MP3-Datei" "$NOT_MP3"
frozen_first_player "with a session bus"
reply=$(dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.brambleplayer \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit 2>&1) || e2e_fail "Quit got no reply: $reply"
e2e_wait_player_exit
[[ ! -e $SOCKET ]] || e2e_fail "the player left its socket $SOCKET behind"
e2e_pass "a folder and a frozen player refused; Quit answered, the player ended, its socket gone"
kill "$COVER_PID" && wait "$COVER_PID" 2>/dev/null
COVER_PID=
bramble_session_bus_stop
export DBUS_SESSION_BUS_ADDRESS=$NO_BUS

# Something at the socket's path that is not the player's socket: left alone, and said so.
printf 'kein Socket' >"$SOCKET"
e2e_start_player
box=$(e2e_find_window "Fehler") || exit 1
e2e_press_key "$box" Return
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
[[ $(cat "$SOCKET") == 'kein Socket' ]] || e2e_fail "the file at the socket's path was changed"
kill -KILL "$E2E_PLAYER_PID" && wait "$E2E_PLAYER_PID" 2>/dev/null
rm "$SOCKET"

e2e_start_player "$E2E_DIR/$LATIN1_START"
MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
e2e_wait_for "a Latin-1 name on the command line did not play" opened "$E2E_DIR/$LATIN1_START"
e2e_wait_green_lines "$(e2e_find_window "Playlist")" 3 "the folder's three titles"
e2e_click "$MAIN" 281 60 # "Nächster Track"
e2e_wait_for "without a session bus: no sound stream after a click on next" _e2e_streaming
cover_player "without a session bus"
plain_second_start "without a session bus"
frozen_first_player "without a session bus"
e2e_pass "without a session bus: a file at the socket's place stays; started with a Latin-1 name, raised"
