#!/usr/bin/env bash
# A copy installed with `cmake --install` into a prefix, started with a fresh HOME by whoever
# runs the tests, root too, who could write anywhere: "OK" in the options dialog writes
# settings.cfg into that HOME's configuration folder, the next start reads it back, and nothing
# in the prefix changes. The install tells the desktop database that the player opens MP3 files.
#
# usage: installed_copy.sh BUILD_DIR MAP_LOGGER_BINARY CMAKE_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
BUILD_DIR=$1
e2e_setup "$BUILD_DIR/brambleplayer" "$2"

PREFIX=$E2E_DIR/prefix
"$3" --install "$BUILD_DIR" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(cat "$E2E_DIR/install.log")"
grep -qx 'audio/mpeg=brambleplayer.desktop;' "$PREFIX/share/applications/mimeinfo.cache" ||
    e2e_fail "the desktop database does not offer the player for MP3 files"
E2E_PROGRAM_DIR=$PREFIX/bin
prefix_listing() { (cd "$PREFIX" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(prefix_listing)

export HOME=$E2E_DIR/home XDG_RUNTIME_DIR=$E2E_DIR/runtime
unset XDG_CONFIG_HOME
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
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
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    [[ -s $SETTINGS ]] && break
    sleep 0.05
done
[[ $(sed -n 2p "$SETTINGS" 2>/dev/null) == $' 0 \r' ]] ||
    e2e_fail "OK did not write the enlarged-playlist option off to $SETTINGS: $(od -c "$SETTINGS" 2>&1 | head -5)"
[[ -d $HOME/.config/brambleplayer/Playlist ]] ||
    e2e_fail "the user's folder holds no Playlist folder for saved lists"
e2e_pass "OK wrote settings.cfg into the user's own folder $HOME/.config/brambleplayer"

e2e_click "$main" 419 7
e2e_wait_player_exit
((E2E_PLAYER_STATUS == 0)) || e2e_fail "the player ended with status $E2E_PLAYER_STATUS"

e2e_start_player
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_expect_geometry "$playlist" "305 272 427 186" "playlist window at the next start (normal size)"
e2e_pass "the next start read the setting back: the playlist window is of normal size"
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
e2e_click "$main" 419 7
e2e_wait_player_exit

[[ $(prefix_listing) == "$before" ]] ||
    e2e_fail "the installation changed: $(diff <(echo "$before") <(prefix_listing))"
e2e_pass "nothing in the installation changed"
