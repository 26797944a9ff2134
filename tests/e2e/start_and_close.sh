#!/usr/bin/env bash
# usage: start_and_close.sh BUILD_DIR MAP_LOGGER GREEN_TEXT_LINES FIXTURE_FOLDERS CMAKE

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
GREEN_TEXT_LINES=$3
FOLDER=$(e2e_folder "$4/A") || exit 1
e2e_require "$GREEN_TEXT_LINES" pactl
e2e_setup "$1/brambleplayer" "$2"

# First start, no settings and an empty folder list.
: >"$E2E_PROGRAM_DIR/folders.dat"
before=$(e2e_program_folder_listing)
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
# In twips at 96 DPI: the main window at 4575/1755, the playlist docked beneath it, enlarged.
e2e_expect_geometry "$main" "305 117 427 155" "main window"
e2e_expect_geometry "$playlist" "305 272 427 368" "playlist window"
xdotool search --all --pid "$E2E_PLAYER_PID" --classname '^brambleplayer$' 2>/dev/null |
    grep -qx "$main" || e2e_fail "the main window's WM_CLASS instance is not 'brambleplayer'"

# The scan runs about 200 ms after start; watch well past it.
for ((i = 0; i < 30; i++)); do
    e2e_read_green_text "$playlist"
    [[ ${SHOWN%%$'\n'*} == "lines 0" ]] || e2e_fail "text in the playlist window: ${SHOWN//$'\n'/; }"
    sleep 0.05
done
mapped=$(awk -F '\t' '$1 == "map" { print $5 }' "$E2E_DIR/maps.log" | sort -u)
[[ $mapped == $'MP3-Brambleplayer\nPlaylist' ]] || e2e_fail "windows shown: ${mapped//$'\n'/, }"
e2e_click "$main" 281 60 # "Nächster Track"
e2e_poll 1 _e2e_streaming && e2e_fail "the player plays something with an empty playlist"
e2e_pass "both windows in place, nothing else shown, an empty playlist plays nothing"

e2e_close_player "$main"
[[ $(e2e_program_folder_listing) == "$before" ]] ||
    e2e_fail "the program folder changed: $(diff <(echo "$before") <(e2e_program_folder_listing))"
[[ -z $(ls -A "$E2E_DIR/elsewhere") ]] || e2e_fail "files in the working directory"
grep -qP '\tProgramm beenden$' "$E2E_DIR/maps.log" && e2e_fail "an exit question was shown"
e2e_pass "the X label ended the player at once and nothing was written"

# Shown and enlarged, confirm exit, quick info on, volume 0; a sparse folder list of 300 MB
# whose first line is folder A.
printf ' 1 \r\n 1 \r\n 1 \r\n\r\n 1 \r\n 0 \r\n 0 \r\n' >"$E2E_PROGRAM_DIR/settings.cfg"
cp "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig"
printf '%s\r\n' "$FOLDER" >"$E2E_PROGRAM_DIR/folders.dat"
truncate -s 300M "$E2E_PROGRAM_DIR/folders.dat" || e2e_fail "could not make the huge folders.dat"
e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
# Only the list's start was read, and a commit would write back only that: the player says so.
box=$(e2e_find_window "Fehler") || exit 1
e2e_press_key "$box" Return
e2e_wait_window_gone "$box" "Fehler"
e2e_wait_green_lines "$playlist" 3 "the 3 files of folder A"
peak_kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$E2E_PLAYER_PID/status")
((peak_kb < 200 * 1024)) || e2e_fail "the player's memory peaked at $((peak_kb / 1024)) MB"
e2e_pass "a 300 MB folder list: cut and said so, folder A listed, ${peak_kb} kB at most"

e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
e2e_press_key "$question" Escape # "Nein"
e2e_wait_window_gone "$question" "Programm beenden"
e2e_poll 1 e2e_not e2e_alive "$E2E_PLAYER_PID" && e2e_fail "the player ended after Nein"
e2e_click "$main" 419 7
question=$(e2e_find_window "Programm beenden") || exit 1
e2e_press_key "$question" Return # "Ja"
e2e_wait_player_exit
cmp -s "$E2E_PROGRAM_DIR/settings.cfg" "$E2E_DIR/settings.cfg.orig" ||
    e2e_fail "settings.cfg changed: $(od -c "$E2E_PROGRAM_DIR/settings.cfg")"
e2e_pass "the exit question: Nein runs on, Ja ends; settings.cfg unchanged"

# A copy installed into a prefix, started with a fresh HOME by whoever runs the tests (root too,
# who could write anywhere), keeps its settings in the user's folder and changes nothing there.
PREFIX=$E2E_DIR/prefix
"$5" --install "$1" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(cat "$E2E_DIR/install.log")"
grep -qx 'audio/mpeg=brambleplayer.desktop;' "$PREFIX/share/applications/mimeinfo.cache" ||
    e2e_fail "the desktop database does not offer the player for MP3 files"
E2E_PROGRAM_DIR=$PREFIX/bin
prefix_listing() { (cd "$PREFIX" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(prefix_listing)
export HOME=$E2E_DIR/home
unset XDG_CONFIG_HOME
mkdir "$HOME"
SETTINGS=$HOME/.config/brambleplayer/settings.cfg

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_expect_geometry "$playlist" "305 272 427 368" "playlist window at the first start (enlarged)"
[[ ! -e $HOME/.config ]] || e2e_fail "the start made $HOME/.config before anything was written"
# "Options", then by the keyboard "Playlist erweitert zeigen" (the third box) off and "OK"
# (past the folder, its "..." and the two quick-info boxes).
e2e_click "$main" 357 127
options=$(e2e_find_window "Optionen") || exit 1
for key in Tab Tab space Tab Tab Tab Tab Tab space; do
    e2e_press_key "$options" "$key"
done
e2e_wait_window_gone "$options" "Optionen"
e2e_wait_for "no $SETTINGS" test -s "$SETTINGS"
[[ $(sed -n 2p "$SETTINGS") == $' 0 \r' ]] ||
    e2e_fail "OK did not write the option off to $SETTINGS: $(od -c "$SETTINGS" | head -5)"
[[ -d $HOME/.config/brambleplayer/Playlist ]] || e2e_fail "no Playlist folder for saved lists"
e2e_close_player "$main"

e2e_start_player
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_expect_geometry "$playlist" "305 272 427 186" "playlist window at the next start (normal size)"
e2e_close_player "$(e2e_find_window "MP3-Brambleplayer")"
[[ $(prefix_listing) == "$before" ]] ||
    e2e_fail "the installation changed: $(diff <(echo "$before") <(prefix_listing))"
e2e_pass "OK wrote settings.cfg into $HOME/.config/brambleplayer, read back; the prefix unchanged"
