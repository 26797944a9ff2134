#!/usr/bin/env bash
# The launcher passes desktop-file-validate, and `cpack -G DEB` from the build makes a package
# that depends on the libraries the binary links and on libmpv, which it opens at run time,
# and that puts the program, its help text, the launcher and the icon where Debian looks.
#
# usage: debian_package.sh CPACK_BINARY BUILD_DIR LAUNCHER

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is not installed"
if ! problems=$(desktop-file-validate "$3" 2>&1) || [[ -n $problems ]]; then
    fail "desktop-file-validate finds fault with $3: $problems"
fi
echo "passed: the launcher is valid"

DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-deb.XXXXXX") || exit 1
trap 'rm -rf "$DIR"' EXIT
"$1" -G DEB --config "$2/CPackConfig.cmake" -B "$DIR" >"$DIR/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$DIR/cpack.log")"
packages=("$DIR"/*.deb)
if ((${#packages[@]} != 1)) || [[ ! -f ${packages[0]} ]]; then
    fail "cpack made no single .deb: $(ls "$DIR")"
fi
deb=${packages[0]}

info=$(dpkg-deb --info "$deb") || fail "dpkg-deb cannot read the package"
field() { awk -v name="$1:" '$1 == name { $1 = ""; sub(/^ /, ""); print }' <<<"$info"; }
[[ $(field Package) == brambleplayer ]] || fail "the package is not named brambleplayer: $info"
depends=$(field Depends)
for library in libmpv2 libqt6widgets6 libqt6gui6 libqt6core6 libasound2 libc6; do
    grep -Eq "(^|, )$library( \(|,|$)" <<<"$depends" ||
        fail "the package does not depend on $library: $depends"
done
echo "passed: the package depends on $depends"

contents=$(dpkg-deb --contents "$deb") || fail "dpkg-deb cannot list the package"
for entry in '-rwxr-xr-x root/root .* \./usr/bin/brambleplayer' \
    '-rw-r--r-- root/root .* \./usr/share/brambleplayer/hilfe\.rtf' \
    '-rw-r--r-- root/root .* \./usr/share/applications/brambleplayer\.desktop' \
    '-rw-r--r-- root/root .* \./usr/share/icons/hicolor/scalable/apps/brambleplayer\.svg' \
    '-rw-r--r-- root/root .* \./usr/share/icons/hicolor/48x48/apps/brambleplayer\.png'; do
    grep -Eq "^$entry\$" <<<"$contents" || fail "the package holds no entry like '$entry': $contents"
done
# Nothing a user would write beside a copy of the program may come with the installed one.
grep -Eq '/usr/bin/(Playlist|settings\.cfg|folders\.dat|hilfe\.rtf)' <<<"$contents" &&
    fail "the package puts the player's own files into /usr/bin: $contents"
echo "passed: the package holds the program, hilfe.rtf, the launcher and the icon"
