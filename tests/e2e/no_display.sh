#!/usr/bin/env bash
# Started without a usable display (none set, or one nobody serves), the player says so in one
# line on standard error and ends with status 1, instead of aborting with a core dump.
#
# usage: no_display.sh PLAYER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"

player=$(realpath "$1")
[[ -x $player ]] || e2e_fail "no player binary at '$1'"
E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-e2e.XXXXXX") || exit 1
trap e2e_cleanup EXIT
unused=9
while [[ -e /tmp/.X11-unix/X$unused ]]; do unused=$((unused + 1)); done

for setting in "-u DISPLAY" "DISPLAY=:$unused"; do
    status=0
    # shellcheck disable=SC2086 # the setting is two words or one
    (cd "$E2E_DIR" && exec env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM $setting "$player") \
        </dev/null >"$E2E_DIR/out" 2>"$E2E_DIR/err" || status=$?
    err=$(cat "$E2E_DIR/err")
    ((status == 1)) || e2e_fail "$setting: exit status $status instead of 1: $err"
    [[ ! -s $E2E_DIR/out && $(wc -l <"$E2E_DIR/err") == 1 && $err == *Anzeige* ]] ||
        e2e_fail "$setting: not one line about the display on standard error: $err"
    left=$(find "$E2E_DIR" -mindepth 1 ! -name out ! -name err)
    [[ -z $left ]] || e2e_fail "$setting: left files behind (a core dump?): $left"
    e2e_pass "$setting: status 1 and one line: $err"
done
