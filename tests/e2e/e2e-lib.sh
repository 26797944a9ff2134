# shellcheck shell=bash
# Drives the built player under an X server as a person would. Everything a script starts is
# stopped, and its temporary folder removed, when it exits. No window manager runs on the test
# display, so frameless windows sit exactly where the program puts them.
# shellcheck source=tools/headless-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/headless-env.sh"

E2E_DEADLINE_SECONDS=20
E2E_DIR=
E2E_PROGRAM_DIR=
E2E_PLAYER_PID=
E2E_MAP_LOG_PID=
E2E_AT_EXIT=()

# e2e_at_exit COMMAND: run at exit, after the player is stopped; last added first.
e2e_at_exit() { E2E_AT_EXIT+=("$1"); }

e2e_cleanup() {
    local i
    [[ -n $E2E_PLAYER_PID ]] && kill -KILL "$E2E_PLAYER_PID" 2>/dev/null &&
        wait "$E2E_PLAYER_PID" 2>/dev/null
    e2e_stop_map_log
    for ((i = ${#E2E_AT_EXIT[@]} - 1; i >= 0; i--)); do
        eval "${E2E_AT_EXIT[i]}"
    done
    [[ -n $E2E_DIR ]] && rm -rf "$E2E_DIR"
    return 0
}

e2e_not() { ! "$@"; }

e2e_fail() {
    echo "FAILED: $*" >&2
    [[ -s $E2E_DIR/player.log ]] && echo "--- the player said:" >&2 && cat "$E2E_DIR/player.log" >&2
    # pid, id, override-redirect, name
    grep -s '^map' "$E2E_DIR/maps.log" >&2
    exit 1
}

e2e_pass() { echo "passed: $*"; }

e2e_require() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
    done
}

# e2e_poll SECONDS COMMAND...: true once the command succeeds within the time.
e2e_poll() {
    local i n=$(($1 * 20))
    shift
    for ((i = 0; i < n; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# e2e_wait_for WHAT COMMAND...: fails with WHAT when the command never succeeds in time.
e2e_wait_for() {
    local what=$1
    shift
    e2e_poll "$E2E_DEADLINE_SECONDS" "$@" || e2e_fail "$what within ${E2E_DEADLINE_SECONDS} s"
}

# e2e_setup PLAYER: a fresh program folder laid out as the build does.
e2e_setup() {
    [[ -n ${DISPLAY:-} ]] || e2e_fail "DISPLAY is not set; ./test starts an X server"
    e2e_require "$1" xdotool
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-e2e.XXXXXX") || exit 1
    trap e2e_cleanup EXIT
    # A runtime folder of its own: a player another test runs meanwhile is not taken for this
    # one's single copy. The sound server stays the session's.
    if [[ -z ${PULSE_SERVER:-} && -S ${XDG_RUNTIME_DIR:-}/pulse/native ]]; then
        export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    fi
    mkdir -m 700 "$E2E_DIR/runtime" || exit 1
    export XDG_RUNTIME_DIR=$E2E_DIR/runtime
    E2E_PROGRAM_DIR=$E2E_DIR/program
    mkdir -p "$E2E_PROGRAM_DIR/Playlist" "$E2E_DIR/elsewhere"
    cp "$1" "$E2E_PROGRAM_DIR/brambleplayer"
    cp "$(dirname "$1")/hilfe.rtf" "$E2E_PROGRAM_DIR/" || e2e_fail "no hilfe.rtf beside $1"
}

# Names, sizes and times in the program folder: nothing was written into it.
e2e_program_folder_listing() {
    (cd "$E2E_PROGRAM_DIR" && find . -printf '%p %s %T@\n' | sort)
}

e2e_stop_map_log() {
    [[ -n $E2E_MAP_LOG_PID ]] && kill -TERM "$E2E_MAP_LOG_PID" 2>/dev/null &&
        wait "$E2E_MAP_LOG_PID" 2>/dev/null
    E2E_MAP_LOG_PID=
}

# e2e_start_player [ARGUMENT...]: starts a new map log, then the player from an unrelated working
# directory: the program must find its files through its own folder.
# shellcheck disable=SC2120 # most starts name no file
e2e_start_player() {
    e2e_stop_map_log
    # Emptied here: the wait below must not take an earlier start's "ready" for this one's.
    : >"$E2E_DIR/maps.log"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/map_log.py" >>"$E2E_DIR/maps.log" 2>&1 &
    E2E_MAP_LOG_PID=$!
    e2e_wait_for "the map logger did not start" grep -q '^ready$' "$E2E_DIR/maps.log"
    (cd "$E2E_DIR/elsewhere" && exec "$E2E_PROGRAM_DIR/brambleplayer" "$@") \
        </dev/null >"$E2E_DIR/player.log" 2>&1 &
    E2E_PLAYER_PID=$!
}

# _e2e_windows NAME [PID]: sets FOUND to the ids of the visible windows of that title.
_e2e_windows() {
    FOUND=$(xdotool search --all --onlyvisible --pid "${2:-$E2E_PLAYER_PID}" --name "^$1\$" \
        2>/dev/null)
    [[ -n $FOUND ]] && return 0
    bramble_alive "${2:-$E2E_PLAYER_PID}" || e2e_fail "the program ended while waiting for '$1'"
    return 1
}

# e2e_find_window NAME [PID] -> the id of the one visible window of the player with that title.
e2e_find_window() {
    e2e_wait_for "no visible window titled '$1'" _e2e_windows "$@"
    (($(wc -l <<<"$FOUND") == 1)) || e2e_fail "more than one window '$1': ${FOUND//$'\n'/ }"
    echo "$FOUND"
}

_e2e_shown() {
    xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" --name "^$2\$" 2>/dev/null |
        grep -qx "$1"
}

# e2e_wait_window_gone WINDOW_ID NAME
e2e_wait_window_gone() {
    e2e_wait_for "the window '$2' still visible" e2e_not _e2e_shown "$1" "$2"
}

# _e2e_green_lines WINDOW N: sets SHOWN to "lines N", then the rows of each line of green text;
# true when the window shows N lines.
_e2e_green_lines() {
    SHOWN=$(/usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/green_lines.py" "$1") ||
        e2e_fail "could not read the pixels of window $1"
    [[ ${SHOWN%%$'\n'*} == "lines $2" ]] && return 0
    bramble_alive "$E2E_PLAYER_PID" || e2e_fail "the player ended while its playlist was filled"
    return 1
}

# e2e_wait_green_lines WINDOW N WHAT [SECONDS]: until the window shows N lines of green text.
e2e_wait_green_lines() {
    e2e_poll "${4:-$E2E_DEADLINE_SECONDS}" _e2e_green_lines "$1" "$2" ||
        e2e_fail "the playlist window does not show $3: ${SHOWN//$'\n'/; }"
}

# e2e_geometry WINDOW_ID -> "X Y WIDTH HEIGHT" on the screen
e2e_geometry() {
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

_e2e_geometry_is() { [[ $(e2e_geometry "$1") == "$2" ]]; }

# e2e_expect_geometry WINDOW_ID "X Y WIDTH HEIGHT" WHAT: the window may still be settling.
e2e_expect_geometry() {
    e2e_poll "$E2E_DEADLINE_SECONDS" _e2e_geometry_is "$1" "$2" ||
        e2e_fail "$3: expected x y width height '$2', found '$(e2e_geometry "$1")'"
}

# e2e_click WINDOW_ID X Y: no --sync, which stalls when the pointer is already there.
e2e_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1 ||
        e2e_fail "xdotool could not click at $2,$3 in window $1"
}

# e2e_press_key WINDOW_ID KEY: focuses the window (no window manager does) and types the key.
e2e_press_key() {
    if ! xdotool windowfocus --sync "$1" || ! xdotool key "$2"; then
        e2e_fail "xdotool could not press $2 in window $1"
    fi
}

# Waits for the player to end by itself, with status 0.
e2e_wait_player_exit() {
    e2e_wait_for "the player still running" e2e_not bramble_alive "$E2E_PLAYER_PID"
    wait "$E2E_PLAYER_PID"
    local status=$?
    E2E_PLAYER_PID=
    ((status == 0)) || e2e_fail "the player ended with status $status"
}

# e2e_close_player MAIN_WINDOW: the "X" label, without an exit question.
e2e_close_player() {
    e2e_click "$1" 419 7
    e2e_wait_player_exit
}

# The sound server has a stream of the player's process.
_e2e_streaming() {
    pactl list sink-inputs 2>/dev/null | grep -q "application\.process\.id = \"$E2E_PLAYER_PID\"$"
}
