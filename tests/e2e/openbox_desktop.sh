#!/usr/bin/env bash
# The player on a real desktop: openbox with the tint2 panel (which has a tray), on a display of
# the test's own, as the window manager must not stay behind for the other tests.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
e2e_require Xvfb openbox tint2 xprop xmessage
e2e_setup "$1" "$2"
# stop_at_exit PID: the desktop's programs end with the script, the latest first.
stop_at_exit() {
    e2e_at_exit "kill -TERM $1 && wait $1 2>/dev/null"
}
e2e_at_exit bramble_xvfb_stop
bramble_xvfb_start "$E2E_DIR" || exit 1
openbox --sm-disable >"$E2E_DIR/openbox.log" 2>&1 &
stop_at_exit $!
TINT2_PID=
start_tint2() {
    tint2 >>"$E2E_DIR/tint2.log" 2>&1 &
    TINT2_PID=$!
    e2e_wait_for "no tray in the panel" tray_runs
}
stop_tint2() {
    [[ -n $TINT2_PID ]] && kill -TERM "$TINT2_PID" && wait "$TINT2_PID" 2>/dev/null
    TINT2_PID=
}
e2e_at_exit stop_tint2

# The tray's selection has an owner.
tray_runs() {
    /usr/bin/python3 -c "import ctypes as c, sys
x = c.cdll.LoadLibrary('libX11.so.6')
x.XOpenDisplay.restype = c.c_void_p
x.XInternAtom.argtypes, x.XInternAtom.restype = [c.c_void_p, c.c_char_p, c.c_int], c.c_ulong
x.XGetSelectionOwner.argtypes, x.XGetSelectionOwner.restype = [c.c_void_p, c.c_ulong], c.c_ulong
d = x.XOpenDisplay(None)
sys.exit(not (d and x.XGetSelectionOwner(d, x.XInternAtom(d, b'_NET_SYSTEM_TRAY_S0', 0))))"
}
wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_wait_for "no window manager" wm_runs
start_tint2

hex() { printf '0x%x' "$1"; }
# The values of a window property (ids or atom names), one a line.
values() {
    xprop "$@" 2>/dev/null | sed -n 's/^[^=#]*[=#] *//p' | tr ',' '\n' | tr -d ' ' | grep .
}
client_list() { values -root _NET_CLIENT_LIST; }

# Whether tint2 gives the window a button of its own: not when it skips the task bar, is of a
# panel's own kind, or is transient for a window that has a button.
has_task_button() {
    local id=$1 parent
    values -id "$id" _NET_WM_STATE | grep -qx _NET_WM_STATE_SKIP_TASKBAR && return 1
    values -id "$id" _NET_WM_WINDOW_TYPE | head -n 1 |
        grep -qE '^_NET_WM_WINDOW_TYPE_(DOCK|DESKTOP|TOOLBAR|MENU|SPLASH)$' && return 1
    parent=$(values -id "$id" WM_TRANSIENT_FOR | head -n 1)
    ! { [[ -n $parent ]] && client_list | grep -qx "$parent" && has_task_button "$parent"; }
}
expect_no_task_buttons() {
    local id listed=()
    for id in $(client_list); do
        [[ $(values -id "$id" _NET_WM_PID) == "$E2E_PLAYER_PID" ]] && has_task_button "$id" &&
            listed+=("$id $(xprop -id "$id" WM_NAME)")
    done
    ((${#listed[@]} == 0)) || e2e_fail "$1: in the task list: ${listed[*]}"
}
# is_above WINDOW OTHER: in the window manager's stacking order (bottom first).
is_above() {
    values -root _NET_CLIENT_LIST_STACKING | awk -v a="$(hex "$1")" -v b="$(hex "$2")" \
        '$1 == b { seen_b = 1 } $1 == a { above = seen_b } END { exit !above }'
}
is_active() { [[ $(values -root _NET_ACTIVE_WINDOW) == "$(hex "$1")" ]]; }
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
# The icon: the player's window of 22 x 22 pixels, embedded in the tray.
icon_id() {
    xwininfo -root -tree | awk '/"brambleplayer": \("brambleplayer"/ && / 22x22\+/ { print $1; found = 1; exit }
        END { exit !found }'
}

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_wait_for "the icon in the tray" icon_id >/dev/null
icon=$(icon_id)
e2e_wait_for "the player at the window manager" is_viewable "$main"
expect_no_task_buttons "at start"

# Another program's window over the player's place, leaving the main window's top row free for
# "_" and reaching beyond the player on the right, where it can be clicked itself.
xmessage -name cover -buttons '' -geometry 600x500+305+140 "another program" &
stop_at_exit $!
e2e_wait_for "no window of another program" xdotool search --onlyvisible --classname '^cover$' >/dev/null
cover=$(xdotool search --onlyvisible --classname '^cover$' | head -n 1)
e2e_wait_for "the other program in front" is_above "$cover" "$main"

menu_since() {
    tail -n +$(($1 + 1)) "$E2E_DIR/maps.log" | grep -qP "^map\t$E2E_PLAYER_PID\t\S+\t1\t"
}
# tray_menu KEYS...: opens the tray menu (an override-redirect window) and types the keys there.
tray_menu() {
    local maps_before
    maps_before=$(wc -l <"$E2E_DIR/maps.log")
    xdotool mousemove --window "$icon" 11 11 click 3
    e2e_wait_for "no tray menu" menu_since "$maps_before"
    xdotool key "$@"
}
in_front() {
    is_active "$main" && is_above "$main" "$cover" && is_above "$playlist" "$cover"
}
restored=0
for ((round = 1; round <= 10; round++)); do
    e2e_click "$cover" 550 300
    e2e_wait_for "round $round: the other program active" is_active "$cover"
    e2e_click "$main" 403 6 # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    if ((round % 2)); then
        xdotool mousemove --window "$icon" 11 11 click --repeat 2 --delay 80 1
    else
        tray_menu Down Return # "Player wieder zeigen"
    fi
    e2e_wait_for "round $round: the main window back" is_viewable "$main"
    # Still there a while later: it used to vanish again at once.
    e2e_poll "$E2E_DEADLINE_SECONDS" in_front && sleep 0.3 && is_viewable "$main" &&
        ((restored += 1))
done
((restored == 10)) || e2e_fail "shown, in front with the playlist and active $restored times of 10"
expect_no_task_buttons "after restoring"
e2e_pass "restored from the tray 10 times of 10, none of the player's windows in the task list"

# Closed by the window manager's Alt+F4, the search window gives the focus back.
e2e_click "$main" 69 127 # "Search"
search=$(e2e_find_window "MP3-Titel suchen") || exit 1
e2e_wait_for "the search window active" is_active "$search"
expect_no_task_buttons "with the search window"
xdotool key alt+F4
e2e_wait_window_gone "$search" "MP3-Titel suchen"
e2e_wait_for "the focus back on the main window after the search window" is_active "$main"

# "Options" locks the main window; a click on it leaves the dialog on top.
e2e_click "$main" 357 127
options=$(e2e_find_window "Optionen") || exit 1
e2e_wait_for "the options dialog active" is_active "$options"
expect_no_task_buttons "with the options dialog"
e2e_click "$main" 200 140
sleep 0.5
e2e_wait_for "the options dialog on top after a click on the main window" is_above "$options" "$main"
is_above "$options" "$playlist" || e2e_fail "the playlist window came over the options dialog"
e2e_wait_for "the options dialog active again" is_active "$options"
xdotool key Escape
e2e_wait_window_gone "$options" "Optionen"
e2e_wait_for "the focus back on the main window after the options" is_active "$main"
e2e_pass "the focus returns from the search window; the locked main window leaves options on top"

# Dragged by its title towards the bottom edge, below the panel's top.
overlap() {
    local my mh py
    read -r _ my _ mh <<<"$(e2e_geometry "$main")"
    read -r _ py _ _ <<<"$(e2e_geometry "$playlist")"
    ((py < my + mh))
}
xdotool mousemove --window "$main" 100 5 mousedown 1 mousemove 400 950 sleep 0.3 \
    mousemove 401 950 sleep 0.3 mouseup 1 || e2e_fail "xdotool could not drag the main window"
e2e_poll "$E2E_DEADLINE_SECONDS" e2e_not overlap
sleep 1 # what the window manager and the docking do after the drag
overlap && e2e_fail "the playlist window covers the main window: main $(e2e_geometry "$main"), playlist $(e2e_geometry "$playlist")"
e2e_pass "at the bottom edge the playlist window stays clear of the main window"

# Minimised when the tray goes away, the window comes back; the icon returns with the tray, and
# its menu's last item, "Beenden", ends the player.
e2e_click "$main" 403 6
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
stop_tint2
e2e_wait_for "the main window back without the tray" is_viewable "$main"
start_tint2
e2e_wait_for "the icon back in the tray" icon_id >/dev/null
icon=$(icon_id)
tray_menu Up Return
e2e_wait_player_exit
e2e_pass "without the tray the window comes back; the icon returns with it, its Beenden ends"
