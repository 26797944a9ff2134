#!/usr/bin/env bash
# The player on a real desktop, on a display of the test's own, as the window manager must not
# stay behind for the other tests: openbox with the tint2 panel, which has a classic tray, or
# (second argument "xfce") xfwm4 with xfce4-panel, whose tray speaks the D-Bus tray protocol on a
# session bus of the test's own.

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
DESKTOP=${2:-openbox}
TRAY="/usr/bin/python3 $(dirname "$0")/sni_tray.py"
if [[ $DESKTOP == xfce ]]; then
    e2e_require Xvfb xfwm4 xfce4-panel dbus-daemon dbus-send xprop xmessage
else
    e2e_require Xvfb openbox tint2 xprop xmessage
fi
e2e_setup "$1"
# stop_at_exit PID: the desktop's programs end with the script, the latest first.
stop_at_exit() {
    e2e_at_exit "kill -TERM $1 && wait $1 2>/dev/null"
}
e2e_at_exit bramble_xvfb_stop
bramble_xvfb_start "$E2E_DIR" || exit 1
if [[ $DESKTOP == xfce ]]; then
    # The desktop's settings are written into a home of the test's own.
    export HOME=$E2E_DIR/home
    mkdir "$HOME"
    bramble_session_bus_start "$E2E_DIR" || e2e_fail "no private session bus"
    e2e_at_exit bramble_session_bus_stop
    xfwm4 --compositor=off >"$E2E_DIR/wm.log" 2>&1 &
else
    openbox --sm-disable >"$E2E_DIR/wm.log" 2>&1 &
fi
stop_at_exit $!
PANEL_PID=
start_panel() {
    if [[ $DESKTOP == xfce ]]; then
        xfce4-panel >>"$E2E_DIR/panel.log" 2>&1 &
    else
        tint2 >>"$E2E_DIR/panel.log" 2>&1 &
    fi
    PANEL_PID=$!
    e2e_wait_for "no tray in the panel" tray_runs
}
stop_panel() {
    [[ -n $PANEL_PID ]] && kill -TERM "$PANEL_PID" && wait "$PANEL_PID" 2>/dev/null
    PANEL_PID=
}
e2e_at_exit stop_panel

watcher() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher \
        /StatusNotifierWatcher org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierWatcher "string:$1" 2>/dev/null
}
# A tray runs: the classic tray's selection has an owner, or a D-Bus tray shows icons.
tray_runs() {
    if [[ $DESKTOP == xfce ]]; then
        watcher IsStatusNotifierHostRegistered | grep -q 'boolean true'
        return
    fi
    /usr/bin/python3 -c "from Xlib import display; d = display.Display()
exit(not d.get_selection_owner(d.intern_atom('_NET_SYSTEM_TRAY_S0')))"
}
wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
e2e_wait_for "no window manager" wm_runs
start_panel

hex() { printf '0x%x' "$1"; }
# The values of a window property (ids or atom names), one a line.
values() {
    xprop "$@" 2>/dev/null | sed -n 's/^[^=#]*[=#] *//p' | tr ',' '\n' | tr -d ' ' | grep .
}
client_list() { values -root _NET_CLIENT_LIST; }
ROOT=$(xwininfo -root | awk '/Window id:/ { print $4 }')

# Whether the window has a button of its own in both panels' task lists: not when it skips the
# task bar or is of a panel's own kind; tint2 leaves out a window transient for one that has a
# button, xfce4-panel a dialog or utility window transient for any window but the root window
# (which stands for the program's whole window group).
has_task_button() {
    local id=$1 parent type
    values -id "$id" _NET_WM_STATE | grep -qx _NET_WM_STATE_SKIP_TASKBAR && return 1
    type=$(values -id "$id" _NET_WM_WINDOW_TYPE | head -n 1)
    [[ $type =~ ^_NET_WM_WINDOW_TYPE_(DOCK|DESKTOP|TOOLBAR|MENU|SPLASH)$ ]] && return 1
    parent=$(values -id "$id" WM_TRANSIENT_FOR | head -n 1)
    [[ -z $parent || $parent == "$ROOT" ]] && return 0
    [[ $type =~ ^_NET_WM_WINDOW_TYPE_(DIALOG|UTILITY)$ ]] && return 1
    ! { client_list | grep -qx "$parent" && has_task_button "$parent"; }
}
LISTED=
no_task_buttons() {
    local id
    LISTED=
    for id in $(client_list); do
        [[ $(values -id "$id" _NET_WM_PID) == "$E2E_PLAYER_PID" ]] && has_task_button "$id" &&
            LISTED+="$id $(xprop -id "$id" WM_NAME); "
    done
    [[ -z $LISTED ]]
}
expect_no_task_buttons() {
    e2e_poll "$E2E_DEADLINE_SECONDS" no_task_buttons || e2e_fail "$1: in the task list: $LISTED"
}
# is_above WINDOW OTHER: in the window manager's stacking order (bottom first).
is_above() {
    values -root _NET_CLIENT_LIST_STACKING | awk -v a="$(hex "$1")" -v b="$(hex "$2")" \
        '$1 == b { seen_b = 1 } $1 == a { above = seen_b } END { exit !above }'
}
is_active() { [[ $(values -root _NET_ACTIVE_WINDOW | head -n 1) == "$(hex "$1")" ]]; }
is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
# The icon in the tray; sets ICON: the player's embedded window of 22 x 22 pixels, or the bus
# name the D-Bus tray knows the icon by.
icon_shown() {
    if [[ $DESKTOP == xfce ]]; then
        ICON=$(watcher RegisteredStatusNotifierItems | grep -o '"[^"/]*' | tr -d '"' | head -n 1)
    else
        ICON=$(xwininfo -root -tree | awk '/"brambleplayer": \("brambleplayer"/ && / 22x22\+/ {
            print $1; exit }')
    fi
    [[ -n $ICON ]]
}
menu_since() {
    tail -n +$(($1 + 1)) "$E2E_DIR/maps.log" | grep -qP "^map\t$E2E_PLAYER_PID\t\S+\t1\t"
}
# choose_in_tray_menu ITEM: the D-Bus tray shows the menu itself; the classic tray's right
# click opens it (an override-redirect window), where keys choose the first or last item.
choose_in_tray_menu() {
    if [[ $DESKTOP == xfce ]]; then
        $TRAY click "$ICON" "$1" || e2e_fail "the tray menu has no item '$1'"
        return
    fi
    local maps_before
    maps_before=$(wc -l <"$E2E_DIR/maps.log")
    xdotool mousemove --window "$ICON" 11 11 click 3
    e2e_wait_for "no tray menu" menu_since "$maps_before"
    if [[ $1 == Beenden ]]; then xdotool key Up Return; else xdotool key Down Return; fi
}
click_icon() {
    if [[ $DESKTOP == xfce ]]; then
        $TRAY activate "$ICON" || e2e_fail "Activate on the icon failed"
    else
        xdotool mousemove --window "$ICON" 11 11 click --repeat 2 --delay 80 1
    fi
}

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_wait_for "the icon in the tray" icon_shown
e2e_wait_for "the player at the window manager" is_viewable "$main"
e2e_wait_for "the main window active after start-up" is_active "$main"
expect_no_task_buttons "at start"

# Another program's window over the player's place, leaving the main window's top row free for
# "?" and "_" and reaching beyond the player on the right, where it can be clicked itself.
xmessage -name cover -buttons '' -geometry 600x500+305+140 "another program" &
stop_at_exit $!
e2e_wait_for "no window of another program" xdotool search --onlyvisible --classname '^cover$' >/dev/null
cover=$(xdotool search --onlyvisible --classname '^cover$' | head -n 1)
e2e_wait_for "the other program in front" is_above "$cover" "$main"

in_front() {
    is_active "$main" && is_above "$main" "$cover" && is_above "$playlist" "$cover"
}
cover_the_player() {
    e2e_click "$cover" 550 300
    e2e_wait_for "$1: the other program active" is_active "$cover"
}
restored=0
for round in 1 2; do
    cover_the_player "round $round"
    e2e_click "$main" 403 6 # "_"
    e2e_wait_window_gone "$main" "MP3-Brambleplayer"
    if ((round % 2)); then click_icon; else choose_in_tray_menu "Player wieder zeigen"; fi
    e2e_wait_for "round $round: the main window back" is_viewable "$main"
    # Still there a while later: it used to vanish again at once.
    e2e_poll "$E2E_DEADLINE_SECONDS" in_front && sleep 0.3 && is_viewable "$main" &&
        ((restored += 1))
done
((restored == 2)) || e2e_fail "shown, in front with the playlist and active $restored times of 2"
expect_no_task_buttons "after restoring"
e2e_pass "restored by the icon and by its menu, none of the player's windows in the task list"

# Minimised when the tray goes away, the window comes back with an entry in the task list.
e2e_click "$main" 403 6
e2e_wait_window_gone "$main" "MP3-Brambleplayer"
stop_panel
e2e_wait_for "the main window back without the tray" is_viewable "$main"
has_task_button "$main" || e2e_fail "the main window came back without a task-list entry"
# Restored by the task list after "_" minimised it, the main window brings the playlist window
# up with it.
e2e_wait_for "the main window up without the tray" in_front
cover_the_player "minimised"
e2e_click "$main" 403 6
e2e_wait_for "minimised without the tray" e2e_not is_viewable "$main"
xdotool windowactivate "$main"
e2e_wait_for "the main window and the playlist window up from the task list" in_front
# The icon returns with the tray and the task-list entry goes.
start_panel
e2e_wait_for "the icon back in the tray" icon_shown
expect_no_task_buttons "with the icon back"
e2e_pass "without the tray: up with the playlist; the icon returns unlisted"

# The tray menu's last item, "Beenden", ends the player.
choose_in_tray_menu Beenden
e2e_wait_player_exit
