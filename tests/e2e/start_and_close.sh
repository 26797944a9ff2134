#!/usr/bin/env bash
# First start in a fresh program folder: both windows appear at their places, nothing else is
# ever shown, and the "X" label ends the program at once without writing any file. Then with
# "Beenden bestätigen" set, the "X" label asks first: "Nein" keeps the player running, "Ja" ends
# it, and the settings file is left exactly as it was.
#
# usage: start_and_close.sh PLAYER_BINARY MAP_LOGGER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup "$1" "$2"

before=$(e2e_program_folder_listing)
e2e_start_player

main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1

# Positions in twips at 96 DPI: main window at 4575/1755, the playlist window docked beneath
# it and, with no settings file, enlarged to 5520 twips.
e2e_expect_geometry "$main" "305 117 427 155" "main window"
e2e_expect_geometry "$playlist" "305 272 427 368" "playlist window"
e2e_pass "main window and playlist window in place"

# xdotool takes one pattern per search: the main window must be among those of that class.
xdotool search --all --pid "$E2E_PLAYER_PID" --classname '^brambleplayer$' 2>/dev/null |
    grep -qx "$main" ||
    e2e_fail "the main window does not carry the WM_CLASS instance name 'brambleplayer'"

e2e_expect_not_visible "Optionen"
e2e_expect_not_visible "MP3 Verzeichnis einfügen"
mapped=$(e2e_mapped_window_names)
[[ $mapped == $'MP3-Brambleplayer\nPlaylist' ]] ||
    e2e_fail "start-up showed other windows than the main and the playlist window: ${mapped//$'\n'/, }"
e2e_pass "the auxiliary windows were never shown"

# The "X" label of the main window; with no settings file there is no question.
e2e_click "$main" 419 7
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"
grep -P '\tProgramm beenden$' "$E2E_DIR/maps.log" >/dev/null &&
    e2e_fail "a confirmation was shown although the settings do not ask for one"
e2e_pass "the X label ended the player at once with status 0"

[[ $(e2e_program_folder_listing) == "$before" ]] ||
    e2e_fail "the program folder changed: $(diff <(echo "$before") <(e2e_program_folder_listing))"
[[ -z $(ls -A "$E2E_DIR/elsewhere") ]] ||
    e2e_fail "files appeared in the working directory: $(ls -A "$E2E_DIR/elsewhere")"
e2e_pass "no settings.cfg or other file was written"

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
