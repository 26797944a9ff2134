# shellcheck shell=bash
# Installs what the player needs to build and run on Debian 12, and what its tests and
# benchmarks need on top, and builds it. Sourced by ./run, ./test and bench/run.
#
#   bramble_install_packages PACKAGE...  installs only the missing ones of the Debian packages
#   bramble_build [TARGET...]            configures and builds in $BRAMBLE_BUILD_DIR (default
#                                        build/), from the preset BRAMBLE_PRESET if set

BRAMBLE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BRAMBLE_BUILD_DIR=${BRAMBLE_BUILD_DIR:-$BRAMBLE_ROOT/build}
# The configure preset (CMakePresets.json) a build starts from; empty keeps the folder's settings.
BRAMBLE_PRESET=

# Building and running the player. (The lists are read by the scripts that source this file.)
# shellcheck disable=SC2034
BRAMBLE_RUN_PACKAGES=(
    cmake g++ pkg-config ninja-build ccache
    qt6-base-dev libmpv-dev libasound2-dev libxcb1-dev
    # opened at run time, not linked
    libmpv2
    # the volume slider's ALSA mixer on a PulseAudio or PipeWire desktop
    libasound2-plugins
    # what the windows show: skin fonts, German texts of Qt's own dialogs
    fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
)

# The tests, the benchmarks and the checks of the house style, on top of the above.
# shellcheck disable=SC2034
BRAMBLE_PACKAGES=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang-format shellcheck
    # the headless test desktop and sound server
    xvfb xdotool pulseaudio pulseaudio-utils
    # windows stacked over the player (xwininfo, xmessage)
    x11-utils
    # making sound fixtures, judging what the null sink played, watching windows being mapped
    lame sox ffmpeg python3-xlib
    # the benchmarks' yardstick for the CPU time of playing a file
    mpv
    # the launcher, the Debian package (cpack reads dependencies with dpkg-shlibdeps and file)
    desktop-file-utils dpkg-dev file
    # the session bus of the tests
    dbus
    # Debian's checks of the package and of its AppStream metadata
    lintian appstream
    # real desktops: openbox with the tint2 panel, xfwm4 with xfce4-panel, and a D-Bus tray of
    # the tests' own
    openbox tint2 xfwm4 xfce4-panel python3-dbus
)

bramble_install_packages() {
    local missing=() package
    for package in "$@"; do
        if [[ $(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null) != installed ]]; then
            missing+=("$package")
        fi
    done
    ((${#missing[@]} == 0)) && return 0

    local as_root=()
    ((EUID == 0)) || as_root=(sudo)
    echo "Installing Debian packages: ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

bramble_build() {
    local generator=() cache=$BRAMBLE_BUILD_DIR/CMakeCache.txt
    # A build folder keeps the generator it was first configured with; the presets name Ninja.
    if [[ -f $cache ]]; then
        generator=(-G "$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$cache")")
    elif command -v ninja >/dev/null; then
        generator=(-G Ninja)
    fi
    local preset=()
    [[ -n $BRAMBLE_PRESET ]] && preset=(--preset "$BRAMBLE_PRESET")
    cmake -S "$BRAMBLE_ROOT" -B "$BRAMBLE_BUILD_DIR" "${preset[@]}" "${generator[@]}" >/dev/null ||
        return 1
    local targets=()
    (($# > 0)) && targets=(--target "$@")
    cmake --build "$BRAMBLE_BUILD_DIR" -j"$(nproc)" "${targets[@]}"
}
