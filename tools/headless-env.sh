# shellcheck shell=bash
# A private X display, sound server (BRAMBLE_PULSE_CONFIG, to start it anew) and, on request,
# session bus, so that nothing of the user's desktop is touched or left running. The stop
# functions end only what was started here, by saved ids; calling them twice is harmless.

BRAMBLE_HEADLESS_DIR=
BRAMBLE_XVFB_PID=
BRAMBLE_PULSE_PID=
BRAMBLE_BUS_PID=
BRAMBLE_ADDRESS_WITHOUT_BUS=

# True while the process exists and is not a zombie waiting to be reaped.
bramble_alive() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z ]]
}

# Stops one process we started, if the id still names the program we think it is.
_bramble_stop_process() {
    local pid=$1 i
    if [[ -n $pid && $(cat "/proc/$pid/comm" 2>/dev/null) == "$2" ]]; then
        kill -TERM "$pid" 2>/dev/null
        for ((i = 0; i < 100; i++)); do
            bramble_alive "$pid" || break
            sleep 0.05
        done
        bramble_alive "$pid" && kill -KILL "$pid" 2>/dev/null
    fi
    [[ -z $pid ]] || wait "$pid" 2>/dev/null
    return 0
}

# bramble_xvfb_start FOLDER: a display of its own (for a test that changes it for good); exports
# DISPLAY. -displayfd picks a free number and reports it once the server accepts connections.
bramble_xvfb_start() {
    local dir=$1 i display=
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$dir/display-number" </dev/null >"$dir/xvfb.log" 2>&1 &
    BRAMBLE_XVFB_PID=$!
    for ((i = 0; i < 200; i++)); do
        display=$(head -n 1 "$dir/display-number" 2>/dev/null)
        [[ -n $display && $(wc -l <"$dir/display-number") -ge 1 ]] && break
        bramble_alive "$BRAMBLE_XVFB_PID" || break
        sleep 0.05
    done
    if [[ -z $display ]]; then
        echo "headless-env: Xvfb did not start: $(cat "$dir/xvfb.log")" >&2
        return 1
    fi
    export DISPLAY=":$display"
}

bramble_xvfb_stop() {
    _bramble_stop_process "$BRAMBLE_XVFB_PID" Xvfb
    BRAMBLE_XVFB_PID=
}

# bramble_session_bus_start FOLDER: exports DBUS_SESSION_BUS_ADDRESS; --fork returns once the
# bus accepts connections.
bramble_session_bus_start() {
    local dir=$1
    [[ -z $BRAMBLE_BUS_PID ]] || return 0
    if ! dbus-daemon --session --fork --nopidfile --address="unix:dir=$dir" \
        --print-address=3 --print-pid=4 3>"$dir/bus-address" 4>"$dir/bus-pid"; then
        echo "headless-env: dbus-daemon did not start" >&2
        return 1
    fi
    BRAMBLE_BUS_PID=$(cat "$dir/bus-pid")
    BRAMBLE_ADDRESS_WITHOUT_BUS=${DBUS_SESSION_BUS_ADDRESS-}
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$dir/bus-address")
    export DBUS_SESSION_BUS_ADDRESS
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
    export XDG_RUNTIME_DIR="$dir/runtime" HOME="$dir/home"
    export PULSE_CLIENTCONFIG="$dir/pulse-client.conf" BRAMBLE_PULSE_CONFIG="$dir/pulse-server.pa"
    # A bus address that does not exist: no session bus gets autolaunched and left behind.
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus"
    printf 'autospawn = no\n' >"$PULSE_CLIENTCONFIG"
    unset WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORM PULSE_SERVER PULSE_SINK XAUTHORITY \
        XDG_SESSION_TYPE XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
    bramble_xvfb_start "$dir" || return 1

    printf '%s\n' 'load-module module-native-protocol-unix' \
        'load-module module-null-sink sink_name=nullsink' 'set-default-sink nullsink' \
        >"$BRAMBLE_PULSE_CONFIG"
    # Without DISPLAY the server never ties itself to the display; --daemonize returns once it
    # is ready and has written its pid file.
    if ! env -u DISPLAY pulseaudio --daemonize=yes --exit-idle-time=-1 --system=false -n \
        -F "$BRAMBLE_PULSE_CONFIG" --log-target="file:$dir/pulseaudio.log"; then
        echo "headless-env: pulseaudio did not start: $(cat "$dir/pulseaudio.log" 2>&1)" >&2
        return 1
    fi
    BRAMBLE_PULSE_PID=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null)
    if [[ -z $BRAMBLE_PULSE_PID ]] || ! bramble_alive "$BRAMBLE_PULSE_PID"; then
        echo "headless-env: pulseaudio left no pid file in $XDG_RUNTIME_DIR/pulse" >&2
        BRAMBLE_PULSE_PID=
        return 1
    fi
}

bramble_headless_stop() {
    bramble_session_bus_stop
    local restarted=
    [[ -n $BRAMBLE_HEADLESS_DIR ]] && restarted=$(cat "$BRAMBLE_HEADLESS_DIR/runtime/pulse/pid" 2>/dev/null)
    _bramble_stop_process "$BRAMBLE_PULSE_PID" pulseaudio
    # The sound server a test started anew writes its id into the same runtime folder.
    [[ $restarted != "$BRAMBLE_PULSE_PID" ]] && _bramble_stop_process "$restarted" pulseaudio
    BRAMBLE_PULSE_PID=
    bramble_xvfb_stop
    [[ -n $BRAMBLE_HEADLESS_DIR ]] && rm -rf "$BRAMBLE_HEADLESS_DIR"
    BRAMBLE_HEADLESS_DIR=
    unset BRAMBLE_PULSE_CONFIG
}
