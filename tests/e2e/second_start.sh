#!/usr/bin/env bash
# Without a display a start says so and ends with status 1. Starting the player while it runs brings the running player's main window to the front, and
# the second copy ends at once with status 0 without touching the program folder (not even the
# leftover of an interrupted write, which a start-up would remove), while the first plays on.
# Started with an MP3 file, it hands the file to the running player, which plays it. Once over
# a private session bus, where the first holds the MPRIS name (and a copy without a bus finds
# it on its local socket all the same), and once without a session bus, where both meet on the
# socket. A folder is refused, and so is a running player that does not answer, each with a
# German message, as is a file in the socket's place, which stays; --help, --version and unknown options only print and never reach the running
# player. Quit over the bus gets its answer, and the player ends and removes its socket.
#
# usage: second_start.sh PLAYER_BINARY MAP_LOGGER_BINARY GREEN_TEXT_LINES FIXTURE_FOLDERS

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
# shellcheck source=tests/support/headless-env.sh
source "$(dirname "$0")/../support/headless-env.sh"
GREEN_TEXT_LINES=$3
FIXTURE_FOLDERS=$(cd "$4" 2>/dev/null && pwd) ||
    { echo "FAILED: no fixture folder '$4'" >&2; exit 1; }
e2e_require xwininfo xmessage dbus-daemon dbus-send "$GREEN_TEXT_LINES"
e2e_setup "$1" "$2"

COVER_PID=
SECOND_PID=
trap 'bramble_session_bus_stop; [[ -n $COVER_PID ]] && kill "$COVER_PID" 2>/dev/null;
      [[ -n $SECOND_PID ]] && kill -CONT "$E2E_PLAYER_PID" 2>/dev/null && kill "$SECOND_PID" 2>/dev/null;
      e2e_cleanup' EXIT
printf '%s\r\n' "$FIXTURE_FOLDERS/A" >"$E2E_PROGRAM_DIR/folders.dat"
SOCKET=$XDG_RUNTIME_DIR/brambleplayer
NO_BUS="unix:path=$E2E_DIR/no-session-bus"

# The top-level windows from the top of the stack down, as hexadecimal ids.
stacking() {
    xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }'
}

# is_above WINDOW_ID OTHER_ID: the first window lies over the second.
is_above() {
    local order
    order=$(stacking)
    awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" \
        '$1 == a { if (!seen_b) ok = 1 } $1 == b { seen_b = 1 } END { exit !ok }' <<<"$order"
}

# Names, sizes, times and contents of everything in the program folder.
program_folder_state() {
    e2e_program_folder_listing
    (cd "$E2E_PROGRAM_DIR" && find . -type f -exec md5sum {} + | sort)
}

# second_copy [ARGUMENT...]: the player started again, in the background, from elsewhere.
second_copy() {
    (cd "$E2E_DIR/elsewhere" && exec "$E2E_PROGRAM_DIR/brambleplayer" "$@") \
        </dev/null >"$E2E_DIR/second.log" 2>&1 &
    SECOND_PID=$!
}

# Waits for the second copy to end; sets SECOND_STATUS.
wait_second_copy() {
    local i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        e2e_alive "$SECOND_PID" || break
        sleep 0.05
    done
    e2e_alive "$SECOND_PID" && e2e_fail "the second start still runs: $(cat "$E2E_DIR/second.log")"
    wait "$SECOND_PID"
    SECOND_STATUS=$?
    SECOND_PID=
}

# refused_with_message WHAT: the second copy shows a message box titled "Fehler", ends with
# status 1 once it is answered.
refused_with_message() {
    local what=$1 i box=
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        box=$(xdotool search --all --onlyvisible --pid "$SECOND_PID" --name '^Fehler$' 2>/dev/null)
        [[ -n $box ]] && break
        e2e_alive "$SECOND_PID" || break
        sleep 0.05
    done
    [[ -n $box ]] || e2e_fail "$what: no message box of the second start: $(cat "$E2E_DIR/second.log")"
    e2e_press_key "$box" Return
    wait_second_copy
    ((SECOND_STATUS == 1)) ||
        e2e_fail "$what: the second start ended with status $SECOND_STATUS after its message"
    e2e_pass "$what: a message box, then status 1"
}

# hands_over WHAT FILE [ENVIRONMENT...]: a second start with the file ends with status 0, and
# the running player opens it.
hands_over() {
    local what=$1 file=$2 status i
    shift 2
    (cd "$E2E_DIR/elsewhere" && exec env "$@" "$E2E_PROGRAM_DIR/brambleplayer" "$file" \
        "$FIXTURE_FOLDERS/B/d_1200hz_2s.mp3") </dev/null >"$E2E_DIR/second.log" 2>&1
    status=$?
    ((status == 0)) || e2e_fail "$what: the second start ended with status $status: $(cat "$E2E_DIR/second.log")"
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        find "/proc/$E2E_PLAYER_PID/fd" -lname "$file" 2>/dev/null | grep -q . && break
        sleep 0.05
    done
    find "/proc/$E2E_PLAYER_PID/fd" -lname "$file" | grep -q . ||
        e2e_fail "$what: the running player did not open $file"
    find "/proc/$E2E_PLAYER_PID/fd" -lname "*/d_1200hz_2s.mp3" | grep -q . &&
        e2e_fail "$what: the running player opened the second file named as well"
    e2e_pass "$what: the second start handed its first file to the running player"
}

# start_scene WHAT: the first player running and playing, a window over it.
start_scene() {
    local what=$1 i
    e2e_start_player
    MAIN=$(e2e_find_window "MP3-Brambleplayer") || exit 1
    playlist=$(e2e_find_window "Playlist") || exit 1
    e2e_wait_green_lines "$playlist" 3 "the folder's three titles"
    # "Nächster Track" starts the first of the folder's three tones; the playlist wraps.
    e2e_click "$MAIN" 281 60
    e2e_wait_player_stream "$what, after a click on next"

    xmessage -name cover -geometry 427x155+305+117 "over the player" &
    COVER_PID=$!
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        COVER=$(xdotool search --all --onlyvisible --classname '^cover$' 2>/dev/null | head -n 1)
        [[ -n $COVER ]] && is_above "$COVER" "$MAIN" && break
        sleep 0.05
    done
    is_above "${COVER:-0}" "$MAIN" || e2e_fail "$what: no window came over the player"
}

# plain_second_start WHAT: started again without a file, it raises the first and ends.
plain_second_start() {
    local what=$1 status before i
    # What a start-up would remove, had the second copy got that far.
    : >"$E2E_PROGRAM_DIR/settings.cfg.bramble-tmp"
    before=$(program_folder_state)
    (cd "$E2E_DIR/elsewhere" && timeout 10 "$E2E_PROGRAM_DIR/brambleplayer") \
        </dev/null >"$E2E_DIR/second.log" 2>&1
    status=$?
    ((status == 0)) || e2e_fail "$what: the second start ended with status $status: $(cat "$E2E_DIR/second.log")"
    [[ $(program_folder_state) == "$before" ]] ||
        e2e_fail "$what: the second start changed the program folder"
    [[ -z $(ls -A "$E2E_DIR/elsewhere") ]] ||
        e2e_fail "$what: files appeared in the working directory: $(ls -A "$E2E_DIR/elsewhere")"
    e2e_pass "$what: the second start ended with status 0 and wrote nothing"

    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        is_above "$MAIN" "$COVER" && break
        sleep 0.05
    done
    is_above "$MAIN" "$COVER" || e2e_fail "$what: the running player did not come to the front"
    e2e_alive "$E2E_PLAYER_PID" || e2e_fail "$what: the running player ended"
    (($(e2e_player_streams) > 0)) || e2e_fail "$what: the running player stopped playing"
    e2e_pass "$what: the running player came to the front and plays on"
    rm "$E2E_PROGRAM_DIR/settings.cfg.bramble-tmp"
}

# frozen_first_player WHAT: a running player that does not answer within 2 s is told of.
frozen_first_player() {
    kill -STOP "$E2E_PLAYER_PID"
    second_copy
    refused_with_message "$1: the running player does not answer"
    kill -CONT "$E2E_PLAYER_PID"
}

end_scene() {
    kill "$COVER_PID" 2>/dev/null
    wait "$COVER_PID" 2>/dev/null
    COVER_PID=
    kill -TERM "$E2E_MAP_LOG_PID" 2>/dev/null
    wait "$E2E_MAP_LOG_PID" 2>/dev/null
    E2E_MAP_LOG_PID=
}

# Asks the player on the bus for a property of its player interface.
playback_status() {
    dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.brambleplayer \
        /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get \
        string:org.mpris.MediaPlayer2.Player string:PlaybackStatus 2>&1 |
        awk '/variant/ { gsub(/"/, "", $3); print $3 }'
}

# Files handed over: copies of a 4 s tone, so that each is told apart by its name, and the
# running player still plays it when it is looked for.
for name in "Übergabe am Bus.mp3" "Übergabe am Socket.mp3" "Ohne Bus.mp3"; do
    cp "$FIXTURE_FOLDERS/../audio/tone_550hz_4s.mp3" "$E2E_DIR/$name"
done

# Without a usable display (none set, or one nobody serves) a start says so in one line on
# standard error and ends with status 1, instead of aborting with a core dump.
unused=9
while [[ -e /tmp/.X11-unix/X$unused ]]; do unused=$((unused + 1)); done
mkdir "$E2E_DIR/no-display"
for setting in "-u DISPLAY" "DISPLAY=:$unused"; do
    status=0
    # shellcheck disable=SC2086 # the setting is two words or one
    (cd "$E2E_DIR/no-display" && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $setting \
        "$E2E_PROGRAM_DIR/brambleplayer") </dev/null >"$E2E_DIR/out" 2>"$E2E_DIR/err" || status=$?
    err=$(cat "$E2E_DIR/err")
    [[ $status == 1 && ! -s $E2E_DIR/out && $(wc -l <"$E2E_DIR/err") == 1 && $err == *Anzeige* ]] ||
        e2e_fail "$setting: status $status instead of 1 with one line about the display: $err"
    [[ -z $(ls -A "$E2E_DIR/no-display") ]] || e2e_fail "$setting: left files behind (a core dump?)"
    e2e_pass "$setting: status 1 and one line: $err"
done

bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
start_scene "with a session bus"

# Options only print: no display needed, and the running player stays behind the cover.
if ! { DISPLAY='' "$E2E_PROGRAM_DIR/brambleplayer" --help >"$E2E_DIR/help.out" 2>"$E2E_DIR/help.err" &&
    head -n 1 "$E2E_DIR/help.out" | grep -q '^Aufruf: brambleplayer' && [[ ! -s $E2E_DIR/help.err ]]; }; then
    e2e_fail "--help did not print its text alone: $(cat "$E2E_DIR/help.out" "$E2E_DIR/help.err")"
fi
[[ $("$E2E_PROGRAM_DIR/brambleplayer" --version 2>&1) == "MP3-Brambleplayer "[0-9]* ]] ||
    e2e_fail "--version printed '$("$E2E_PROGRAM_DIR/brambleplayer" --version 2>&1)'"
"$E2E_PROGRAM_DIR/brambleplayer" --lauter >"$E2E_DIR/bad.out" 2>"$E2E_DIR/bad.err"
status=$?
if ! ((status == 2)) || [[ -s $E2E_DIR/bad.out || $(wc -l <"$E2E_DIR/bad.err") != 1 ]]; then
    e2e_fail "an unknown option: status $status, output '$(cat "$E2E_DIR/bad.out" "$E2E_DIR/bad.err")'"
fi
is_above "$COVER" "$MAIN" || e2e_fail "an option brought the running player to the front"
e2e_pass "--help, --version and an unknown option only print, and the running player stays behind"

plain_second_start "with a session bus"
status=$(playback_status)
[[ $status == Playing ]] || e2e_fail "the running player tells the bus it is '$status', not Playing"
e2e_pass "the running player tells the bus it is playing"
hands_over "with a session bus" "$E2E_DIR/Übergabe am Bus.mp3"
hands_over "without a bus, beside a player with one" "$E2E_DIR/Übergabe am Socket.mp3" \
    DBUS_SESSION_BUS_ADDRESS="$NO_BUS"
second_copy "$FIXTURE_FOLDERS/B"
refused_with_message "a folder"
frozen_first_player "with a session bus"

reply=$(dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.brambleplayer \
    /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit 2>&1) ||
    e2e_fail "Quit got no reply: $reply"
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS after Quit"
[[ ! -e $SOCKET ]] || e2e_fail "the player left its socket $SOCKET behind"
e2e_pass "Quit got its reply, and the player ended and removed its socket"
end_scene
bramble_session_bus_stop
export DBUS_SESSION_BUS_ADDRESS=$NO_BUS

# Something at the socket's path that is not a socket of the player's: left alone, and said so.
printf 'kein Socket' >"$SOCKET"
e2e_start_player
box=$(e2e_find_window "Fehler") || exit 1
e2e_press_key "$box" Return
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
[[ $(cat "$SOCKET") == 'kein Socket' ]] || e2e_fail "the file at the socket's path was changed"
e2e_pass "a file at the socket's path stays, the player says so and runs on"
kill -KILL "$E2E_PLAYER_PID" && wait "$E2E_PLAYER_PID" 2>/dev/null
end_scene
rm "$SOCKET"

start_scene "without a session bus"
plain_second_start "without a session bus"
hands_over "without a session bus" "$E2E_DIR/Ohne Bus.mp3"
frozen_first_player "without a session bus"
