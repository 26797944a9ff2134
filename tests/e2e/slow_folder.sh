#!/usr/bin/env bash
# A listed folder on a mount that answers slowly, as a network share may: every listing of the
# FUSE mirror takes 3 s, and the test holds the mount's listings and its size on top of that
# while it checks the player. The player's windows answer during the scan: "Insert" opens the
# folder browser (whose drive list and folder list would have to wait on the mount) and its
# "Abbrechen" closes it again, which asks for a new scan. Once the mount answers, the playlist
# holds the folder's files once: the scan that was under way gave way to the newer one.
#
# usage: slow_folder.sh PLAYER_BINARY MAP_LOGGER GREEN_TEXT_LINES FIXTURE_FOLDERS
#
# It mounts a FUSE file system (python3-fusepy, libfuse2), which takes /dev/fuse and root;
# without them it is skipped (exit 77).

# shellcheck source=tests/e2e/e2e-lib.sh
source "$(dirname "$0")/e2e-lib.sh"

GREEN_TEXT_LINES=$3
e2e_require "$GREEN_TEXT_LINES"
FIXTURE_FOLDERS=$(cd "$4" 2>/dev/null && pwd) ||
    { echo "FAILED: no fixture folder '$4'" >&2; exit 1; }
FILES=$(find "$FIXTURE_FOLDERS/A" -maxdepth 1 -iname '*.mp3' | wc -l)
PYTHON=/usr/bin/python3
"$PYTHON" -c 'import fusepy' 2>/dev/null ||
    { echo "FAILED: python3-fusepy is not installed" >&2; exit 1; }
if [[ ! -c /dev/fuse ]] || ((EUID != 0)); then
    echo "SKIPPED: mounting the slow FUSE folder takes /dev/fuse and root"
    exit 77
fi

e2e_setup "$1" "$2"

MOUNT=$(mktemp -d "${TMPDIR:-/tmp}/bramble-slow.XXXXXX") || e2e_fail "no folder to mount on"
MOUNT_LOG=$E2E_DIR/mount.log
HOLD=$E2E_DIR/hold
MOUNT_PID=

# The mount goes before the test folder is removed, so that nothing walks into it.
unmount() {
    rm -f "$HOLD"
    if [[ -n $E2E_PLAYER_PID ]] && e2e_alive "$E2E_PLAYER_PID"; then
        kill -KILL "$E2E_PLAYER_PID" 2>/dev/null
    fi
    if [[ -n $MOUNT_PID ]]; then
        umount -l "$MOUNT" 2>/dev/null
        kill -TERM "$MOUNT_PID" 2>/dev/null
        wait "$MOUNT_PID" 2>/dev/null
    fi
    rmdir "$MOUNT" 2>/dev/null
}
trap 'unmount; e2e_cleanup' EXIT

: >"$MOUNT_LOG"
"$PYTHON" "$(dirname "$0")/slow_mount.py" "$FIXTURE_FOLDERS" "$MOUNT" "$MOUNT_LOG" "$HOLD" 3 \
    >"$E2E_DIR/mount.out" 2>&1 &
MOUNT_PID=$!
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    grep -q " $MOUNT fuse" /proc/self/mounts && break
    e2e_alive "$MOUNT_PID" || break
    sleep 0.05
done
if ! grep -q " $MOUNT fuse" /proc/self/mounts; then
    echo "SKIPPED: the slow FUSE folder could not be mounted: $(cat "$E2E_DIR/mount.out")"
    exit 77
fi

# The listed folder is on the mount, and so is the standard folder the browser opens on.
printf '%s\r\n' "$MOUNT/A" >"$E2E_PROGRAM_DIR/folders.dat"
printf ' 1 \r\n 1 \r\n 0 \r\n%s\r\n 1 \r\n 0 \r\n 16000 \r\n' "$MOUNT/A" \
    >"$E2E_PROGRAM_DIR/settings.cfg"
touch "$HOLD"

# mount_listings begin|end: how many listings of the folder began or ended so far.
mount_listings() {
    grep -c "^$1 /A\$" "$MOUNT_LOG" || true
}

e2e_start_player
main=$(e2e_find_window "MP3-Brambleplayer") || exit 1
playlist=$(e2e_find_window "Playlist") || exit 1
for ((i = 0; i < E2E_DEADLINE_SECONDS * 20; i++)); do
    (($(mount_listings begin) > 0)) && break
    sleep 0.05
done
(($(mount_listings begin) > 0)) || e2e_fail "the scan did not list the folder on the slow mount"
e2e_pass "the scan lists the folder on the slow mount"

e2e_click "$main" 21 127  # "Insert"
browser=$(e2e_find_window "MP3 Verzeichnis einfügen") || exit 1
e2e_click "$browser" 156 388  # "Abbrechen"
e2e_wait_window_gone "$browser" "MP3 Verzeichnis einfügen"
(($(mount_listings end) == 0)) || e2e_fail "the mount answered a listing while it was held"
e2e_pass "the folder browser opened and closed while the scan waited on the mount"

rm -f "$HOLD"
e2e_wait_green_lines "$playlist" "$FILES" "the $FILES files of the slow folder" \
    $((3 * E2E_DEADLINE_SECONDS))
# Every listing asked for has answered; a scan that gave way must not add its files later.
for ((i = 0; i < 3 * E2E_DEADLINE_SECONDS * 20; i++)); do
    (($(mount_listings end) == $(mount_listings begin))) && break
    sleep 0.1
done
sleep 0.5
e2e_read_green_text "$playlist"
[[ ${SHOWN%%$'\n'*} == "lines $FILES" ]] ||
    e2e_fail "after every listing answered, the playlist shows: ${SHOWN//$'\n'/; }"
e2e_pass "the playlist holds the $FILES files of the slow folder once"
