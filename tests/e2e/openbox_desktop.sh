#!/usr/bin/env bash
# The player on a real desktop: openbox with the tint2 panel (which has a tray), on a display
# of the test's own. The player is started once and then:
# - has no entry in tint2's task list, its dialogs neither, as tint2 reads them from
#   _NET_CLIENT_LIST, _NET_WM_STATE, _NET_WM_WINDOW_TYPE and WM_TRANSIENT_FOR;
# - comes back from the tray ten times in a row, by a double-click on the icon and by "Player
#   wieder zeigen", each time shown, in front of another program's window, with the focus;
# - keeps the focus on the main window after the search window closes;
# - with the options dialog open, a click on the main window leaves the dialog on top;
# - docked at the bottom edge, the playlist window never covers the main window.
#
# usage: openbox_desktop.sh PLAYER_BINARY MAP_LOGGER_BINARY

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
# shellcheck source=tests/support/headless-env.sh
source "$(dirname "$0")/../support/headless-env.sh"
e2e_require Xvfb openbox tint2 xprop xmessage

DESKTOP_PIDS=()
# Last started first, the X server last of all.
stop_desktop() {
    local i
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        kill -TERM "${DESKTOP_PIDS[i]}" 2>/dev/null && wait "${DESKTOP_PIDS[i]}" 2>/dev/null
    done
    DESKTOP_PIDS=()
    bramble_xvfb_stop
}
# A display of its own: the window manager must not stay behind for the other tests.
display_dir=$(mktemp -d "${TMPDIR:-/tmp}/bramble-openbox.XXXXXX") || exit 1
trap 'stop_desktop; rm -rf "$display_dir"' EXIT
bramble_xvfb_start "$display_dir" || exit 1

e2e_setup "$1" "$2"
trap 'e2e_cleanup; stop_desktop; rm -rf "$display_dir"' EXIT
openbox --sm-disable >"$E2E_DIR/openbox.log" 2>&1 &
DESKTOP_PIDS+=($!)
tint2 >"$E2E_DIR/tint2.log" 2>&1 &
DESKTOP_PIDS+=($!)

# The tray's selection has an owner.
tray_runs() {
    /usr/bin/python3 - <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary('libX11.so.6')
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(None)
sys.exit(0 if display and x.XGetSelectionOwner(display, x.XInternAtom(
    display, b'_NET_SYSTEM_TRAY_S0', 0)) else 1)
PY
}
wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_wait_for "no window manager" wm_runs
e2e_wait_for "no tray in the panel" tray_runs

# hex WINDOW_ID: the id as xprop writes it.
hex() { printf '0x%x' "$1"; }
# The values of a window property (ids or atom names), one a line.
values() {
    xprop "$@" 2>/dev/null | sed -n 's/^[^=#]*[=#] *//p' | tr ',' '\n' | tr -d ' ' | grep .
}
client_list() { values -root _NET_CLIENT_LIST; }
stacking() { values -root _NET_CLIENT_LIST_STACKING; }  # bottom first
active_window() { values -root _NET_ACTIVE_WINDOW; }

# Whether tint2 gives the window a button of its own: not when it skips the task bar, is of a
# panel's own kind, or is transient for a window that has a button.
has_task_button() {
    local id=$1 type parent
    values -id "$id" _NET_WM_STATE | grep -qx _NET_WM_STATE_SKIP_TASKBAR && return 1
    type=$(values -id "$id" _NET_WM_WINDOW_TYPE | head -n 1)
    case $type in
        _NET_WM_WINDOW_TYPE_DOCK | _NET_WM_WINDOW_TYPE_DESKTOP | _NET_WM_WINDOW_TYPE_TOOLBAR | \
            _NET_WM_WINDOW_TYPE_MENU | _NET_WM_WINDOW_TYPE_SPLASH) return 1 ;;
    esac
    parent=$(values -id "$id" WM_TRANSIENT_FOR | head -n 1)
    if [[ -n $parent ]] && client_list | grep -qx "$parent" && has_task_button "$parent"; then
        return 1
    fi
    return 0
}
# expect_no_task_buttons WHEN: no window of the player has a button in the task list.
expect_no_task_buttons() {
    local id listed=()
    for id in $(client_list); do
        [[ $(values -id "$id" _NET_WM_PID) == "$E2E_PLAYER_PID" ]] || continue
        has_task_button "$id" && listed+=("$id $(xprop -id "$id" WM_NAME)")
    done
    ((${#listed[@]} == 0)) || e2e_fail "$1: in the task list: ${listed[*]}"
}
# is_above WINDOW OTHER: in the window manager's stacking order.
is_above() {
    stacking | awk -v a="$(hex "$1")" -v b="$(hex "$2")" \
        '$1 == b { seen_b = 1 } $1 == a { above = seen_b } END { exit !above }'
}
is_active() { [[ $(active_window) == "$(hex "$1")" ]]; }
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
# The icon: the player's window of 22 x 22 pixels, embedded in the tray.
icon_id() {
    xwininfo -root -tree | awk '/"brambleplayer": \("brambleplayer"/ && / 22x22\+/ { print $1; exit }'
}

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_wait_for "the icon in the tray" icon_id >/dev/null
icon=$(icon_id)
e2e_wait_for "the player at the window manager" is_viewable "$main"
expect_no_task_buttons "at start"
e2e_pass "while the icon exists, neither window is in the task list"

# Another program's window over the player's place: the restored player must come over it.
# It leaves the main window's top row free, so that "_" can be clicked, and reaches beyond the
# player on the right, where it can be clicked itself.
xmessage -name cover -buttons '' -geometry 600x500+305+140 "another program" &
DESKTOP_PIDS+=($!)
e2e_wait_for "no window of another program" xdotool search --onlyvisible --classname '^cover$' >/dev/null
cover=$(xdotool search --onlyvisible --classname '^cover$' | head -n 1)
e2e_wait_for "the other program in front" is_above "$cover" "$main"

# The tray menu (an override-redirect window) was mapped since maps_before.
menu_mapped() {
    tail -n +$((maps_before + 1)) "$E2E_DIR/maps.log" |
        awk -F '\t' -v pid="$E2E_PLAYER_PID" '$1 == "map" && $2 == pid && $4 == 1' | grep -q .
}
restored=0
for ((round = 1; round <= 10; round++)); do
    e2e_click "$cover" 550 300  # the other program has the focus
    e2e_wait_for "round $round: the other program active" is_active "$cover"
    e2e_click "$main" 403 6  # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    if ((round % 2)); then
        xdotool mousemove --window "$icon" 11 11 click --repeat 2 --delay 80 1
    else
        maps_before=$(wc -l <"$E2E_DIR/maps.log")
        xdotool mousemove --window "$icon" 11 11 click 3
        e2e_wait_for "round $round: the tray menu" menu_mapped
        xdotool key Down Return  # its first item
    fi
    ok=1
    e2e_wait_for "round $round: the main window back" is_viewable "$main"
    for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
        is_active "$main" && is_above "$main" "$cover" && is_above "$playlist" "$cover" && break
        sleep 0.05
    done
    is_active "$main" || ok=0
    is_above "$main" "$cover" && is_above "$playlist" "$cover" || ok=0
    # Still there a while later: it used to vanish again at once.
    sleep 0.3
    is_viewable "$main" || ok=0
    ((restored += ok))
    ((ok)) || echo "round $round: not shown, in front and active" >&2
done
echo "restored from the tray on openbox and tint2: $restored of 10"
((restored == 10)) || e2e_fail "the player came back $restored times of 10"
expect_no_task_buttons "after restoring"
e2e_pass "restored from the tray 10 times of 10: shown, in front with the playlist, active"

# "Search" opens the search window; closed by the window manager's Alt+F4, the focus goes back.
e2e_click "$main" 69 127
search=$(e2e_find_window "MP3-Titel suchen") || exit 1
e2e_wait_for "the search window active" is_active "$search"
expect_no_task_buttons "with the search window"
xdotool key alt+F4
e2e_wait_window_gone "$search" "MP3-Titel suchen"
e2e_wait_for "the focus back on the main window after the search window" is_active "$main"
e2e_pass "the focus returns to the main window when the search window closes"

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
e2e_pass "a click on the locked main window leaves the options dialog on top"

# Dragged by its title towards the bottom edge, below the panel's top.
overlap() {
    local my mh py
    read -r _ my _ mh <<<"$(e2e_geometry "$main")"
    read -r _ py _ _ <<<"$(e2e_geometry "$playlist")"
    ((py < my + mh))
}
xdotool mousemove --window "$main" 100 5 mousedown 1 mousemove 400 950 sleep 0.3 \
    mousemove 401 950 sleep 0.3 mouseup 1 || e2e_fail "xdotool could not drag the main window"
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    overlap || break
    sleep 0.05
done
sleep 1  # what the window manager and the docking do after the drag
overlap && e2e_fail "the playlist window covers the main window: main $(e2e_geometry "$main"), playlist $(e2e_geometry "$playlist")"
e2e_pass "at the bottom edge the playlist window stays clear of the main window"
