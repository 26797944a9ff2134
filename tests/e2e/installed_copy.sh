#!/usr/bin/env bash
# A copy installed into a prefix, started with a fresh HOME by whoever runs the tests (root too,
# who could write anywhere), keeps its settings in the user's folder and changes nothing there.
# usage: installed_copy.sh BUILD_DIR MAP_LOGGER CMAKE

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
e2e_setup "$1/brambleplayer" "$2"
PREFIX=$E2E_DIR/prefix
"$3" --install "$1" --prefix "$PREFIX" >"$E2E_DIR/install.log" 2>&1 ||
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
