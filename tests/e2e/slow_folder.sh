#!/usr/bin/env bash
# A listed folder on a mount that answers slowly, as a network share may: every listing of the
# FUSE mirror takes 3 s, and while the file HOLD exists its listings and its size wait on top.
# It takes python3-fusepy, /dev/fuse and root; without the last two it is skipped (exit 77).

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"
FIXTURES=$2 # absolute: the lists name it from elsewhere
/usr/bin/python3 -c 'import fusepy' 2>/dev/null || e2e_fail "python3-fusepy is not installed"
if [[ ! -c /dev/fuse ]] || ((EUID != 0)); then
    echo "SKIPPED: mounting the slow FUSE folder takes /dev/fuse and root"
    exit 77
fi
e2e_setup "$1"
MOUNT=$E2E_DIR/mount
LOG=$E2E_DIR/mount.log
HOLD=$E2E_DIR/hold
unmount() {
    rm -f "$HOLD"
    umount -l "$MOUNT" 2>/dev/null
    kill -TERM "$MOUNT_PID" && wait "$MOUNT_PID" 2>/dev/null
}
mkdir "$MOUNT" && touch "$LOG" "$HOLD"
/usr/bin/python3 "$(dirname "$0")/slow_mount.py" "$FIXTURES" "$MOUNT" "$LOG" "$HOLD" 3 \
    >"$E2E_DIR/mount.out" 2>&1 &
MOUNT_PID=$!
# The mount goes before the test folder is removed, so that nothing walks into it.
e2e_at_exit unmount
if ! e2e_poll "$E2E_DEADLINE_SECONDS" grep -q " $MOUNT fuse" /proc/self/mounts; then
    echo "SKIPPED: the slow FUSE folder could not be mounted: $(cat "$E2E_DIR/mount.out")"
    exit 77
fi

# The listed folder is on the mount, and so is the standard folder the browser opens on.
printf '%s\r\n' "$MOUNT/A" >"$E2E_PROGRAM_DIR/folders.dat"
printf ' 1 \r\n 1 \r\n 0 \r\n%s\r\n 1 \r\n 0 \r\n 16000 \r\n' "$MOUNT/A" \
    >"$E2E_PROGRAM_DIR/settings.cfg"
# listings begin|end: how many listings of the folder began or ended so far.
listings() { grep -c "^$1 /A\$" "$LOG"; }
some_listing() { (($(listings begin) > 0)); }
all_answered() { (($(listings end) == $(listings begin))); }

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
e2e_wait_for "the scan did not list the folder on the slow mount" some_listing
# The browser's drive and folder lists would have to wait on the mount; its "Abbrechen" asks
# for a new scan.
e2e_click "$main" 21 127 # "Insert"
browser=$(e2e_find_window "MP3 Verzeichnis einfügen") || exit 1
e2e_click "$browser" 156 388 # "Abbrechen"
e2e_wait_window_gone "$browser" "MP3 Verzeichnis einfügen"
(($(listings end) == 0)) || e2e_fail "the mount answered a listing while it was held"
e2e_pass "the folder browser opened and closed while the scan waited on the mount"

rm "$HOLD"
e2e_wait_green_lines "$playlist" 3 "folder A's 3 files" $((3 * E2E_DEADLINE_SECONDS))
# Every listing asked for has answered; a scan that gave way must not add its files later.
e2e_poll $((3 * E2E_DEADLINE_SECONDS)) all_answered
sleep 0.5
e2e_read_green_text "$playlist"
[[ ${SHOWN%%$'\n'*} == "lines 3" ]] || e2e_fail "at last the playlist shows: ${SHOWN//$'\n'/; }"
e2e_pass "the playlist holds folder A's files once"
