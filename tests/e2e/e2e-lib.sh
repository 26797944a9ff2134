# shellcheck shell=bash
# Helpers for driving the built player under an X server as a person would.
# A test script sources this file and calls e2e_setup with the player binary and the map logger;
# everything it starts is stopped, and its temporary folder removed, when the script exits.
#
# No window manager runs on the test display, so frameless windows sit exactly where the program
# puts them and xdotool's geometry is the program's own.

E2E_DEADLINE_SECONDS=10

E2E_DIR=
E2E_PROGRAM_DIR=
E2E_PLAYER_PID=
E2E_MAP_LOG_PID=
E2E_PLAYER_STATUS=
# A command that starts the player in its place (for instance as another user); none by default.
E2E_LAUNCHER=()

e2e_cleanup() {
    if [[ -n $E2E_PLAYER_PID ]] && e2e_alive "$E2E_PLAYER_PID"; then
        kill -KILL "$E2E_PLAYER_PID" 2>/dev/null
    fi
    [[ -n $E2E_PLAYER_PID ]] && wait "$E2E_PLAYER_PID" 2>/dev/null
    if [[ -n $E2E_MAP_LOG_PID ]]; then
        kill -TERM "$E2E_MAP_LOG_PID" 2>/dev/null
        wait "$E2E_MAP_LOG_PID" 2>/dev/null
    fi
    [[ -n $E2E_DIR ]] && rm -rf "$E2E_DIR"
    return 0
}

# True while the process exists and is not a zombie waiting to be reaped.
e2e_alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z ]]
}

e2e_fail() {
    echo "FAILED: $*" >&2
    if [[ -s $E2E_DIR/player.log ]]; then
        echo "--- output of the player:" >&2
        cat "$E2E_DIR/player.log" >&2
    fi
    if [[ -s $E2E_DIR/maps.log ]]; then
        echo "--- top-level windows mapped (pid, id, override-redirect, name):" >&2
        grep '^map' "$E2E_DIR/maps.log" >&2
    fi
    exit 1
}

e2e_pass() {
    echo "passed: $*"
}

# e2e_require COMMAND...: ends the test when a command (or helper program) is missing.
e2e_require() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed" >&2; exit 1; }
    done
}

# e2e_setup PLAYER_BINARY MAP_LOGGER_BINARY
# Makes a fresh program folder the way the build lays it out: the binary, hilfe.rtf, Playlist/.
e2e_setup() {
    local player=$1 map_logger=$2
    if [[ -z ${DISPLAY:-} ]]; then
        echo "FAILED: DISPLAY is not set. The end-to-end tests need an X server; ./test starts one." >&2
        exit 1
    fi
    [[ -x $player ]] || { echo "FAILED: no player binary at '$player'" >&2; exit 1; }
    [[ -x $map_logger ]] || { echo "FAILED: no map logger at '$map_logger'" >&2; exit 1; }
    e2e_require xdotool
    E2E_MAP_LOGGER=$map_logger

    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-e2e.XXXXXX") || exit 1
    trap e2e_cleanup EXIT
    # Only one copy of the player runs per session: a runtime folder of the test's own keeps a
    # player that another test runs meanwhile from being taken for this one's. The sound server
    # stays the one of the session.
    if [[ -z ${PULSE_SERVER:-} && -S ${XDG_RUNTIME_DIR:-}/pulse/native ]]; then
        export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    fi
    mkdir -m 700 "$E2E_DIR/runtime" || exit 1
    export XDG_RUNTIME_DIR=$E2E_DIR/runtime
    E2E_PROGRAM_DIR=$E2E_DIR/program
    mkdir -p "$E2E_PROGRAM_DIR/Playlist" "$E2E_DIR/elsewhere"
    cp "$player" "$E2E_PROGRAM_DIR/brambleplayer"
    local help_file
    help_file="$(dirname "$player")/hilfe.rtf"
    [[ -f $help_file ]] || e2e_fail "no hilfe.rtf beside the built player ($help_file)"
    cp "$help_file" "$E2E_PROGRAM_DIR/hilfe.rtf"
}

# A listing of the program folder with sizes and modification times, to prove nothing was
# written into it.
e2e_program_folder_listing() {
    (cd "$E2E_PROGRAM_DIR" && find . -printf '%p %s %T@\n' | sort)
}

# Starts the map logger, then the player from an unrelated working directory: the program must
# find its files through its own folder, never through the working directory.
e2e_start_player() {
    # Emptied here, not by the logger's own redirection: that runs in the background, and the
    # wait below must not take the "ready" of an earlier start for this one's.
    : >"$E2E_DIR/maps.log"
    "$E2E_MAP_LOGGER" >>"$E2E_DIR/maps.log" 2>&1 &
    E2E_MAP_LOG_PID=$!
    local i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        grep -q '^ready$' "$E2E_DIR/maps.log" 2>/dev/null && break
        e2e_alive "$E2E_MAP_LOG_PID" || break
        sleep 0.05
    done
    grep -q '^ready$' "$E2E_DIR/maps.log" || e2e_fail "the map logger did not start"

    (cd "$E2E_DIR/elsewhere" && exec "${E2E_LAUNCHER[@]}" "$E2E_PROGRAM_DIR/brambleplayer") \
        </dev/null >"$E2E_DIR/player.log" 2>&1 &
    E2E_PLAYER_PID=$!
}

# e2e_find_window NAME -> prints the id of the one visible window of the player with that title.
e2e_find_window() {
    local name=$1 i ids
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        ids=$(xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" --name "^${name}\$" \
            2>/dev/null)
        if [[ -n $ids ]]; then
            if (($(wc -l <<<"$ids") != 1)); then
                e2e_fail "more than one visible window titled '$name': $(tr '\n' ' ' <<<"$ids")"
            fi
            echo "$ids"
            return 0
        fi
        e2e_alive "$E2E_PLAYER_PID" || e2e_fail "the player ended while waiting for '$name'"
        sleep 0.05
    done
    e2e_fail "no visible window titled '$name' within ${E2E_DEADLINE_SECONDS} s"
}

# e2e_wait_window_gone WINDOW_ID NAME
e2e_wait_window_gone() {
    local id=$1 name=$2 i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        if ! xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" --name "^${name}\$" \
            2>/dev/null | grep -qx "$id"; then
            return 0
        fi
        sleep 0.05
    done
    e2e_fail "the window '$name' was still visible after ${E2E_DEADLINE_SECONDS} s"
}

# e2e_wait_for WHAT COMMAND...: runs the command until it succeeds; fails with WHAT when it
# never does within the deadline.
e2e_wait_for() {
    local what=$1 i
    shift
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    e2e_fail "$what within ${E2E_DEADLINE_SECONDS} s"
}

# e2e_read_green_text WINDOW: sets SHOWN to the lines of green text in the window (read by
# $GREEN_TEXT_LINES): "lines N", then the rows of each line.
e2e_read_green_text() {
    SHOWN=$("$GREEN_TEXT_LINES" "$1") || e2e_fail "could not read the pixels of window $1"
}

# e2e_wait_green_lines WINDOW N WHAT [SECONDS]: waits while the player lives until the window
# shows N lines of green text.
e2e_wait_green_lines() {
    local i
    for ((i = 0; i < ${4:-$E2E_DEADLINE_SECONDS} * 20; i++)); do
        e2e_read_green_text "$1"
        [[ ${SHOWN%%$'\n'*} == "lines $2" ]] && return 0
        e2e_alive "$E2E_PLAYER_PID" || e2e_fail "the player ended while its playlist was filled"
        sleep 0.05
    done
    e2e_fail "the playlist window does not show $3: ${SHOWN//$'\n'/; }"
}

# e2e_geometry WINDOW_ID -> "X Y WIDTH HEIGHT" on the screen
e2e_geometry() {
    xdotool getwindowgeometry --shell "$1" |
        awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

# e2e_expect_geometry WINDOW_ID "X Y WIDTH HEIGHT" DESCRIPTION
# Waits for the geometry: the program may still be settling the window in its first ticks.
e2e_expect_geometry() {
    local id=$1 expected=$2 what=$3 actual i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        actual=$(e2e_geometry "$id")
        [[ $actual == "$expected" ]] && return 0
        sleep 0.05
    done
    e2e_fail "$what: expected x y width height '$expected', found '$actual'"
}

# e2e_expect_not_visible NAME
e2e_expect_not_visible() {
    local ids
    ids=$(xdotool search --all --onlyvisible --pid "$E2E_PLAYER_PID" --name "^${1}\$" 2>/dev/null)
    [[ -z $ids ]] || e2e_fail "the window '$1' is visible"
}

# e2e_click WINDOW_ID X Y: a left click at a point relative to the window's top left corner.
# No --sync: it stalls for seconds when the pointer is already there, and the server handles the
# motion before the click anyway.
e2e_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1 ||
        e2e_fail "xdotool could not click at $2,$3 in window $1"
}

# e2e_press_key WINDOW_ID KEY: focuses the window (there is no window manager to do it) and
# types the key into it.
e2e_press_key() {
    if ! xdotool windowfocus --sync "$1" || ! xdotool key "$2"; then
        e2e_fail "xdotool could not press $2 in window $1"
    fi
}

# Waits for the player to end by itself; sets E2E_PLAYER_STATUS for the test script.
e2e_wait_player_exit() {
    local i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        e2e_alive "$E2E_PLAYER_PID" || break
        sleep 0.05
    done
    e2e_alive "$E2E_PLAYER_PID" && e2e_fail "the player was still running ${E2E_DEADLINE_SECONDS} s later"
    wait "$E2E_PLAYER_PID"
    # shellcheck disable=SC2034 # read by the test scripts
    E2E_PLAYER_STATUS=$?
    E2E_PLAYER_PID=
}

# e2e_expect_still_running SECONDS: the player must not end within that time.
e2e_expect_still_running() {
    local i
    for ((i = 0; i < $1 * 20; i++)); do
        e2e_alive "$E2E_PLAYER_PID" || e2e_fail "the player ended although it should run on"
        sleep 0.05
    done
}

# The number of the sound server's streams that belong to the player's process.
e2e_player_streams() {
    pactl list sink-inputs 2>/dev/null |
        grep -c "application\.process\.id = \"$E2E_PLAYER_PID\"$" || true
}

# e2e_wait_player_stream WHEN: waits for the player's process to open a sound stream.
e2e_wait_player_stream() {
    local i
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        (($(e2e_player_streams) > 0)) && return 0
        sleep 0.05
    done
    e2e_fail "no sound stream of the player $1"
}

# The names of the windows the player mapped so far, sorted, one per line.
e2e_mapped_window_names() {
    awk -F '\t' -v pid="$E2E_PLAYER_PID" '$1 == "map" && $2 == pid { print $5 }' \
        "$E2E_DIR/maps.log" | sort -u
}
