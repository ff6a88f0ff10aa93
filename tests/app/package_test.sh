#!/usr/bin/env bash
# The installation integrates with desktops — a valid menu entry, AppStream metadata that software centres
# accept, icons at the sizes they name — and the Debian package made from it is policy-clean: lintian
# reports no tag at all, pedantic ones included.
# Usage: package_test.sh <built viduzirivo executable>. Exit code 77: lintian is not installed.
set -euo pipefail
build=$(cd "$(dirname "$1")/.." && pwd)
for tool in desktop-file-validate appstreamcli identify; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps.sh)"; exit 1; }
done
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

prefix=$workdir/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/viduzirivo.desktop" || fail "the menu entry is not valid"
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}" || fail "the AppStream metadata is not valid"
launched=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "${metainfo[@]}")
[ -f "$prefix/share/applications/$launched" ] || fail "the metadata launches '$launched', which is not installed"
for size in 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/viduzirivo.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}x$size icon in $icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/viduzirivo.svg" ] || fail "no scalable icon"
echo "menu entry, AppStream metadata and icons are valid"

command -v lintian >/dev/null || { echo "SKIP: lintian is not installed"; exit 77; }
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$workdir/package" >"$workdir/cpack.log" 2>&1 ||
    { cat "$workdir/cpack.log"; fail "cpack could not make the package"; }
package=("$workdir"/package/viduzirivo_*.deb)
status=0
lintian --info --pedantic --fail-on error,warning,info,pedantic "${package[@]}" >"$workdir/lintian.log" 2>&1 ||
    status=$?
if [ "$status" -ne 0 ] || grep -qv 'running with root privileges' "$workdir/lintian.log"; then
    cat "$workdir/lintian.log"
    fail "lintian reports the tags above"
fi
echo "lintian reports nothing on $(basename "${package[@]}")"
