#!/usr/bin/env bash
# With "Beenden bestätigen" set, the "X" label asks first: "Nein" keeps the player running,
# "Ja" ends it, and the settings file is left exactly as it was.
#
# usage: exit_confirmation.sh PLAYER_BINARY MAP_LOGGER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup "$1" "$2"

# Playlist shown and enlarged, confirm exit, no folder, quick info on, not always, volume 0.
printf ' 1 \r\n 1 \r\n 1 \r\n\r\n 1 \r\n 0 \r\n 0 \r\n' >"$E2E_PROGRAM_DIR/settings.cfg"
cp "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig"

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
e2e_find_window "Playlist" >/dev/null || exit 1

e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
# Escape answers "Nein".
e2e_press_key "$question" Escape
e2e_wait_window_gone "$question" "Programm beenden"
e2e_expect_still_running 1
[[ $(e2e_find_window "MP3-Brambleplayer") == "$main" ]] ||
    e2e_fail "the main window is gone after answering Nein"
e2e_pass "answering Nein keeps the player running"

e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
# Return presses the default button "Ja".
e2e_press_key "$question" Return
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
e2e_pass "answering Ja ends the player with status 0"

cmp -s "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig" ||
    e2e_fail "settings.cfg changed: $(od -c "$E2E_PROGRAM_DIR/settings.cfg")"
e2e_pass "settings.cfg is unchanged"
