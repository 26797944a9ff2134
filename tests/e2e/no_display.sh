#!/usr/bin/env bash
# Started without a usable display, the player says so in one line on standard error and ends
# with status 1, instead of aborting with a core dump after a screenful of Qt's messages.
#
# usage: no_display.sh PLAYER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"

player=$1
[[ -x $player ]] || e2e_fail "no player binary at '$player'"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-e2e.XXXXXX") || exit 1
trap e2e_cleanup EXIT
mkdir "$E2E_DIR/program"
cp "$player" "$E2E_DIR/program/brambleplayer"

# A display number nobody serves: no socket of that number exists.
unused=:9
while [[ -e /tmp/.X11-unix/X${unused#:} ]]; do unused=":$((${unused#:} + 1))"; done

for display in "" "$unused"; do
    what=${display:-"no DISPLAY"}
    if [[ -z $display ]]; then setting=(-u DISPLAY); else setting=("DISPLAY=$display"); fi
    status=0
    # From inside the program folder, where a core file would land.
    (cd "$E2E_DIR/program" &&
        exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${setting[@]}" ./brambleplayer) \
        </dev/null >"$E2E_DIR/out" 2>"$E2E_DIR/err" || status=$?
    ((status == 1)) || e2e_fail "$what: exit status $status instead of 1 ($(cat "$E2E_DIR/err"))"
    [[ ! -s $E2E_DIR/out ]] || e2e_fail "$what: wrote to standard output: $(cat "$E2E_DIR/out")"
    (($(wc -l <"$E2E_DIR/err") == 1)) ||
        e2e_fail "$what: standard error holds more than one line: $(cat "$E2E_DIR/err")"
    grep -q "Anzeige" "$E2E_DIR/err" ||
        e2e_fail "$what: the line does not speak of the display: $(cat "$E2E_DIR/err")"
    [[ -z $display ]] || grep -qF "\"$display\"" "$E2E_DIR/err" ||
        e2e_fail "$what: the line does not name the display: $(cat "$E2E_DIR/err")"
    e2e_pass "$what: one line ($(cat "$E2E_DIR/err")), status 1"
done
[[ -z $(ls -A "$E2E_DIR/program" | grep -v '^brambleplayer$') ]] ||
    e2e_fail "files appeared in the program folder: $(ls -A "$E2E_DIR/program")"
e2e_pass "no core file or other file in the program folder"
