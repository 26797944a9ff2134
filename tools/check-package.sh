#!/usr/bin/env bash
# usage: check-package.sh CPACK BUILD_FOLDER LAUNCHER CMAKE
# Builds the Debian package the README describes and checks it, and the launcher, as Debian's
# tools do (desktop-file-validate, lintian, appstreamcli). ctest runs it (cmake/Packaging.cmake).
fail() {
    echo "FAILED: $*" >&2
    exit 1
}
for tool in desktop-file-validate lintian appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
DIR=$(mktemp -d "${TMPDIR:-/tmp}/bramble-deb.XXXXXX") || exit 1
trap 'rm -rf "$DIR"' EXIT

# One copy per session (Desktop Entry 1.5): Debian 12's validator predates the key.
grep -qx 'SingleMainWindow=true' "$3" || fail "the launcher does not say SingleMainWindow=true"
grep -vx 'SingleMainWindow=true' "$3" >"$DIR/brambleplayer.desktop"
if ! problems=$(desktop-file-validate "$DIR/brambleplayer.desktop" 2>&1) || [[ -n $problems ]]; then
    fail "desktop-file-validate finds fault with $3: $problems"
fi

# ./run builds the player alone, and the README's install and package commands follow it.
rm -f "$2"/package/*.gz
"$4" --build "$2" --target brambleplayer >"$DIR/build.log" 2>&1 ||
    fail "building the player alone failed: $(cat "$DIR/build.log")"
"$1" -G DEB --config "$2/CPackConfig.cmake" -B "$DIR" >"$DIR/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$DIR/cpack.log")"
packages=("$DIR"/*.deb)
if ((${#packages[@]} != 1)) || [[ ! -f ${packages[0]} ]]; then
    fail "cpack made no single .deb: $(ls "$DIR")"
fi
deb=${packages[0]}
info=$(dpkg-deb --info "$deb") || fail "dpkg-deb cannot read the package"
grep -qE '^ Package: brambleplayer$' <<<"$info" ||
    fail "the package is not named brambleplayer: $info"
depends=$(grep '^ Depends:' <<<"$info")
# libmpv is opened at run time, the others are linked.
for library in libmpv2 libqt6widgets6 libqt6gui6 libqt6core6 libasound2 libc6; do
    grep -Eq "[:,] $library( \(|,|$)" <<<"$depends" ||
        fail "no dependency on $library: $depends"
done

contents=$(dpkg-deb --contents "$deb") || fail "dpkg-deb cannot list the package"
for entry in '-rwxr-xr-x root/root .* \./usr/bin/brambleplayer' \
    '-rw-r--r-- root/root .* \./usr/share/brambleplayer/hilfe\.rtf' \
    '-rw-r--r-- root/root .* \./usr/share/applications/brambleplayer\.desktop' \
    '-rw-r--r-- root/root .* \./usr/share/metainfo/[^/]*\.metainfo\.xml' \
    '-rw-r--r-- root/root .* \./usr/share/doc/brambleplayer/copyright' \
    '-rw-r--r-- root/root .* \./usr/share/doc/brambleplayer/changelog\.Debian\.gz' \
    '-rw-r--r-- root/root .* \./usr/share/icons/hicolor/scalable/apps/brambleplayer\.svg'; do
    grep -Eq "^$entry\$" <<<"$contents" ||
        fail "the package holds no entry like '$entry': $contents"
done
# Nothing a user would write beside a copy of the program, nor the build machine's desktop
# database.
grep -Eq '/usr/bin/(Playlist|settings\.cfg|folders\.dat|hilfe\.rtf)|mimeinfo\.cache' <<<"$contents" &&
    fail "the package holds files that are not its own: $contents"

dpkg-deb -x "$deb" "$DIR/root" || fail "dpkg-deb cannot unpack the package"
for size in 16 22 24 32 48 64 128 256; do
    icon=$DIR/root/usr/share/icons/hicolor/${size}x${size}/apps/brambleplayer.png
    [[ $(file -b "$icon") == "PNG image data, $size x $size,"* ]] ||
        fail "no icon of $size x $size pixels: $(file -b "$icon")"
done
appstream=$(appstreamcli validate --no-net "$DIR"/root/usr/share/metainfo/*.metainfo.xml 2>&1) ||
    fail "appstreamcli finds fault with the metadata: $appstream"
head -n 1 "$DIR/root/usr/share/doc/brambleplayer/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"
# Root is warned against running lintian; its findings are the same.
findings=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v '^running with root privileges')
grep '^E:' <<<"$findings" && fail "lintian finds errors in the package: $findings"
echo "passed: a valid launcher, and a package with all its files and dependencies that" \
    "appstreamcli and lintian accept${findings:+; lintian says:}"
[[ -n $findings ]] && printf '    %s\n' "${findings//$'\n'/$'\n'    }"
exit 0
