#!/usr/bin/env bash
# A folders.dat of 300 MB whose first line is a real folder: the player reads only the start of
# it, shows its windows, says that it cut the list, and fills the playlist with that folder's
# files, without taking the file into memory. (How soon the window maps is measured by
# bench/startup, not here.)
#
# usage: huge_folder_list.sh PLAYER_BINARY MAP_LOGGER GREEN_TEXT_LINES FIXTURE_FOLDERS

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"

GREEN_TEXT_LINES=$3
e2e_require "$GREEN_TEXT_LINES"
FOLDER=$(cd "$4/A" 2>/dev/null && pwd) || { echo "FAILED: no fixture folder '$4/A'" >&2; exit 1; }
FILES=$(find "$FOLDER" -maxdepth 1 -iname '*.mp3' | wc -l)

e2e_setup "$1" "$2"

# Sparse: the rest of the file reads as NUL bytes without a line end, and costs no disk space.
printf '%s\r\n' "$FOLDER" >"$E2E_PROGRAM_DIR/folders.dat"
truncate -s 300M "$E2E_PROGRAM_DIR/folders.dat" || e2e_fail "could not make the 300 MB folders.dat"

e2e_start_player
e2e_find_window "MP3-Brambleplayer" >/dev/null || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_pass "both windows are mapped"

# The list was read only in part, and a commit would write back only that part: the player says
# so once its window is up.
box=$(e2e_find_window "Fehler") || exit 1
e2e_pass "a message box says the list was cut"
e2e_press_key "$box" Return
e2e_wait_window_gone "$box" "Fehler"

e2e_wait_green_lines "$playlist" "$FILES" "the $FILES files of $FOLDER"
e2e_pass "the playlist shows the $FILES files of the first line's folder"

# Reading the whole file would take at least its size in memory; the player alone takes far
# less than this bound.
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PLAYER_PID/status")
((peak_kb < 200 * 1024)) || e2e_fail "the player's memory peaked at $((peak_kb / 1024)) MB"
e2e_pass "the player's memory peaked at $((peak_kb / 1024)) MB"
