#!/usr/bin/env bash
# Starting the player while it runs brings the running player's main window to the front, and
# the second copy ends at once with status 0 without touching the program folder (not even the
# leftover of an interrupted write, which a start-up would remove), while the first plays on.
# Once over a private session bus, where the first holds the MPRIS name, and once without a
# session bus, where it listens on a local socket.
#
# usage: second_start.sh PLAYER_BINARY MAP_LOGGER_BINARY GREEN_TEXT_LINES FIXTURE_FOLDERS

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
# shellcheck source=tests/support/headless-env.sh
source "$(dirname "$0")/../support/headless-env.sh"
GREEN_TEXT_LINES=$3
FIXTURE_FOLDERS=$(cd "$4" 2>/dev/null && pwd) ||
    { echo "FAILED: no fixture folder '$4'" >&2; exit 1; }
for tool in xwininfo xmessage dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed" >&2; exit 1; }
done
e2e_setup "$1" "$2"

COVER_PID=
trap 'bramble_session_bus_stop; [[ -n $COVER_PID ]] && kill "$COVER_PID" 2>/dev/null; e2e_cleanup' EXIT
printf '%s\r\n' "$FIXTURE_FOLDERS/A" >"$E2E_PROGRAM_DIR/folders.dat"

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

# second_start WHAT: the scene with the first player running and playing.
second_start() {
    local what=$1 main playlist cover i status before
    e2e_start_player
    main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
    playlist=$(e2e_find_window "Playlist") || exit 1
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        [[ $("$GREEN_TEXT_LINES" "$playlist") == "lines 3"* ]] && break
        sleep 0.05
    done
    # "Nächster Track" starts the first of the folder's three tones; the playlist wraps.
    e2e_click "$main" 281 60
    e2e_wait_player_stream "$what, after a click on next"

    xmessage -name cover -geometry 427x155+305+117 "over the player" &
    COVER_PID=$!
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        cover=$(xdotool search --all --onlyvisible --classname '^cover$' 2>/dev/null | head -n 1)
        [[ -n $cover ]] && is_above "$cover" "$main" && break
        sleep 0.05
    done
    is_above "${cover:-0}" "$main" || e2e_fail "$what: no window came over the player"

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
        is_above "$main" "$cover" && break
        sleep 0.05
    done
    is_above "$main" "$cover" || e2e_fail "$what: the running player did not come to the front"
    e2e_alive "$E2E_PLAYER_PID" || e2e_fail "$what: the running player ended"
    (($(e2e_player_streams) > 0)) || e2e_fail "$what: the running player stopped playing"
    e2e_pass "$what: the running player came to the front and plays on"

    kill "$COVER_PID" 2>/dev/null
    wait "$COVER_PID" 2>/dev/null
    COVER_PID=
    rm "$E2E_PROGRAM_DIR/settings.cfg.bramble-tmp"
}

end_first_player() {
    kill -KILL "$E2E_PLAYER_PID" && wait "$E2E_PLAYER_PID" 2>/dev/null
    E2E_PLAYER_PID=
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

bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
second_start "with a session bus"
status=$(playback_status)
[[ $status == Playing ]] || e2e_fail "the running player tells the bus it is '$status', not Playing"
e2e_pass "the running player tells the bus it is playing"
end_first_player
bramble_session_bus_stop
export DBUS_SESSION_BUS_ADDRESS="unix:path=$E2E_DIR/no-session-bus"

second_start "without a session bus"
