# shellcheck shell=bash
# A private X display and sound server for the tests and benchmarks, so that nothing of the
# user's own desktop session is touched and nothing is left running afterwards.
#
#   source tests/support/headless-env.sh
#   bramble_headless_start || exit 1
#   trap bramble_headless_stop EXIT
#
# bramble_headless_start exports DISPLAY, XDG_RUNTIME_DIR, HOME, PULSE_CLIENTCONFIG and
# DBUS_SESSION_BUS_ADDRESS for every process started afterwards, and BRAMBLE_PULSE_CONFIG, the
# private sound server's configuration, with which a test may start it anew after stopping it.
# bramble_headless_stop ends only the processes it started, by their saved ids (the sound server
# by the id in the private runtime folder, where a server started anew writes it too), and
# removes its temporary folder; calling it twice is harmless.
#
# The session bus address names no bus. What needs one starts a private bus of its own:
#
#   bramble_session_bus_start FOLDER    # exports DBUS_SESSION_BUS_ADDRESS; the socket in FOLDER
#   bramble_session_bus_stop            # ends it and restores the address before
#
# A test that changes the display for good (a window manager) runs on a display of its own:
#
#   bramble_xvfb_start FOLDER           # exports DISPLAY
#   bramble_xvfb_stop

BRAMBLE_HEADLESS_DIR=
BRAMBLE_XVFB_PID=
BRAMBLE_PULSE_PID=
BRAMBLE_BUS_PID=
BRAMBLE_ADDRESS_WITHOUT_BUS=

# True while the process exists and is not a zombie waiting to be reaped.
_bramble_process_alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z ]]
}

# Stops one process we started, after checking the id still names the program we think it is.
_bramble_stop_process() {
    local pid=$1 expected_name=$2 i
    [[ -n $pid ]] || return 0
    if [[ $(cat "/proc/$pid/comm" 2>/dev/null) == "$expected_name" ]]; then
        kill -TERM "$pid" 2>/dev/null
        for ((i = 0; i < 100; i++)); do
            _bramble_process_alive "$pid" || break
            sleep 0.05
        done
        if _bramble_process_alive "$pid"; then
            kill -KILL "$pid" 2>/dev/null
        fi
    fi
    # Reaps it when it is a child of this shell (Xvfb); a no-op for the daemonised sound server.
    wait "$pid" 2>/dev/null
    return 0
}

_bramble_start_xvfb() {
    local dir=$BRAMBLE_HEADLESS_DIR i display=
    # -displayfd lets the server pick a free display number itself and report it once it
    # accepts connections, which avoids both a race on the number and a wait loop on the socket.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$dir/display-number" </dev/null >"$dir/xvfb.log" 2>&1 &
    BRAMBLE_XVFB_PID=$!
    for ((i = 0; i < 200; i++)); do
        display=$(head -n 1 "$dir/display-number" 2>/dev/null)
        [[ -n $display && $(wc -l <"$dir/display-number") -ge 1 ]] && break
        display=
        _bramble_process_alive "$BRAMBLE_XVFB_PID" || break
        sleep 0.05
    done
    if [[ -z $display ]]; then
        echo "headless-env: Xvfb did not start; its log:" >&2
        cat "$dir/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

_bramble_start_pulseaudio() {
    local dir=$BRAMBLE_HEADLESS_DIR
    export BRAMBLE_PULSE_CONFIG="$dir/pulse-server.pa"
    cat >"$BRAMBLE_PULSE_CONFIG" <<'EOF'
load-module module-native-protocol-unix
load-module module-null-sink sink_name=nullsink
set-default-sink nullsink
EOF
    # Without DISPLAY the server loads no X11 modules and never ties itself to the display.
    # --daemonize returns once the server is ready and has written its pid file.
    if ! env -u DISPLAY pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
        -F "$dir/pulse-server.pa" --log-target="file:$dir/pulseaudio.log"; then
        echo "headless-env: pulseaudio did not start; its log:" >&2
        cat "$dir/pulseaudio.log" >&2 2>/dev/null
        return 1
    fi
    BRAMBLE_PULSE_PID=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null)
    if [[ -z $BRAMBLE_PULSE_PID ]] || ! _bramble_process_alive "$BRAMBLE_PULSE_PID"; then
        echo "headless-env: pulseaudio left no pid file in $XDG_RUNTIME_DIR/pulse" >&2
        BRAMBLE_PULSE_PID=
        return 1
    fi
}

# A further X display of its own for one test, its files in FOLDER; exports DISPLAY.
bramble_xvfb_start() {
    BRAMBLE_HEADLESS_DIR=$1 _bramble_start_xvfb
}

bramble_xvfb_stop() {
    _bramble_stop_process "$BRAMBLE_XVFB_PID" Xvfb
    BRAMBLE_XVFB_PID=
}

bramble_session_bus_start() {
    local dir=$1 address
    [[ -z $BRAMBLE_BUS_PID ]] || return 0
    # --fork returns once the bus accepts connections.
    if ! dbus-daemon --session --fork --nopidfile --address="unix:dir=$dir" \
        --print-address=3 --print-pid=4 3>"$dir/bus-address" 4>"$dir/bus-pid"; then
        echo "headless-env: dbus-daemon did not start" >&2
        return 1
    fi
    BRAMBLE_BUS_PID=$(cat "$dir/bus-pid")
    address=$(head -n 1 "$dir/bus-address")
    BRAMBLE_ADDRESS_WITHOUT_BUS=${DBUS_SESSION_BUS_ADDRESS-}
    export DBUS_SESSION_BUS_ADDRESS=$address
}

bramble_session_bus_stop() {
    [[ -n $BRAMBLE_BUS_PID ]] || return 0
    _bramble_stop_process "$BRAMBLE_BUS_PID" dbus-daemon
    BRAMBLE_BUS_PID=
    export DBUS_SESSION_BUS_ADDRESS=$BRAMBLE_ADDRESS_WITHOUT_BUS
}

bramble_headless_start() {
    BRAMBLE_HEADLESS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-headless.XXXXXX") || return 1
    local dir=$BRAMBLE_HEADLESS_DIR
    mkdir -m 700 "$dir/runtime" && mkdir "$dir/home" || return 1

    export XDG_RUNTIME_DIR="$dir/runtime"
    export HOME="$dir/home"
    export PULSE_CLIENTCONFIG="$dir/pulse-client.conf"
    # A bus address that does not exist: no session bus gets autolaunched and left behind.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus"
    printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
    # Nothing of a surrounding desktop session may leak into the tests.
    unset WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORM PULSE_SERVER PULSE_SINK XAUTHORITY \
        XDG_SESSION_TYPE XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME

    _bramble_start_xvfb || return 1
    _bramble_start_pulseaudio || return 1
}

bramble_headless_stop() {
    bramble_session_bus_stop
    local restarted=
    if [[ -n $BRAMBLE_HEADLESS_DIR ]]; then
        restarted=$(cat "$BRAMBLE_HEADLESS_DIR/runtime/pulse/pid" 2>/dev/null)
    fi
    _bramble_stop_process "$BRAMBLE_PULSE_PID" pulseaudio
    [[ $restarted != "$BRAMBLE_PULSE_PID" ]] && _bramble_stop_process "$restarted" pulseaudio
    BRAMBLE_PULSE_PID=
    _bramble_stop_process "$BRAMBLE_XVFB_PID" Xvfb
    BRAMBLE_XVFB_PID=
    if [[ -n $BRAMBLE_HEADLESS_DIR && -d $BRAMBLE_HEADLESS_DIR ]]; then
        rm -rf "$BRAMBLE_HEADLESS_DIR"
    fi
    BRAMBLE_HEADLESS_DIR=
    unset BRAMBLE_PULSE_CONFIG
}
