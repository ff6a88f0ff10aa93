#!/usr/bin/env bash
# The Debian package, built from the source tree as Debian builds it, is policy-clean: lintian reports no tag
# at all on its source, its binary packages and its upload, pedantic ones included, and it names the release of
# debian/changelog, which the build takes from CMakeLists.txt. Installed from it,
# bin/viduzirivo is a link to the program in its private folder. Started through it from elsewhere, the
# program finds its globe image there (no message box), opens one window (its title and size are the window
# test's), draws the clock with the light credit box over the drawing's black lower right corner, and ends
# cleanly when closed through the window manager. Desktops get a valid menu entry, AppStream metadata that
# software centres accept and icons at the sizes they name.
source "$(dirname "$0")/../e2e/e2e.sh"
build=$(cd "$(dirname "$1")/.." && pwd)
if grep -q "VIDUZIRIVO_SANITIZE:BOOL=ON" "$build/CMakeCache.txt"; then
    # A sanitizer build is no package to ship: its own installation is judged instead.
    prefix=$workdir/prefix
    cmake --install "$build" --prefix "$prefix" >/dev/null
else
    # The package build writes into its source tree and beside it: it gets a copy of the files git knows of.
    tree=$(cd "$here/../.." && pwd)
    mkdir "$workdir/viduzirivo"
    git -C "$tree" ls-files -z --cached --others --exclude-standard |
        tar -C "$tree" --null -T - -cf - | tar -C "$workdir/viduzirivo" -xf -
    (cd "$workdir/viduzirivo" && dpkg-buildpackage -us -uc -J) >"$workdir/log" 2>&1 ||
        fail "dpkg-buildpackage could not make the package"
    lintian --info --pedantic --fail-on error,warning,info,pedantic "$workdir"/viduzirivo_*.changes \
        >"$workdir/log" 2>&1 || fail "lintian reports the tags above"
    ! grep -v 'running with root privileges' "$workdir/log" || fail "lintian reports the tags above"
    echo "lintian reports nothing"
    dpkg-deb -x "$workdir"/viduzirivo_*.deb "$workdir/root"
    prefix=$workdir/root/usr
    # lintian asks only for the hardening that dpkg-buildflags gives by default; the package asks for all,
    # with a global offset table that is read-only once the program has started.
    readelf -d "$prefix/lib/viduzirivo/viduzirivo" | grep -q BIND_NOW || fail "the program is not linked -z now"
    # The release that CMakeLists.txt names is the one at the top of debian/changelog.
    changelog=$workdir/viduzirivo/debian/changelog
    release="<release version=\"$(dpkg-parsechangelog -l "$changelog" -S Version)\" date=\"$(
        date -u -d "@$(dpkg-parsechangelog -l "$changelog" -S Timestamp)" +%F)\"/>"
    grep -qF "$release" "$prefix"/share/metainfo/*.metainfo.xml ||
        fail "the package's metadata does not name the release of debian/changelog, $release"
fi
[ "$(readlink -f "$prefix/bin/viduzirivo")" = "$prefix/lib/viduzirivo/viduzirivo" ] && [ -L "$prefix/bin/viduzirivo" ] ||
    fail "bin/viduzirivo is not a link to lib/viduzirivo/viduzirivo"
entry=$prefix/share/applications/viduzirivo.desktop
desktop-file-validate "$entry" || fail "the menu entry is not valid"
for line in Exec=viduzirivo Icon=viduzirivo Name=Viduzirivo; do
    grep -qx "$line" "$entry" || fail "$entry lacks $line"
done
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfo[@]}" || fail "the AppStream metadata is not valid"
grep -q '<launchable type="desktop-id">viduzirivo.desktop</launchable>' "${metainfo[@]}" ||
    fail "the metadata does not launch viduzirivo.desktop"
for size in 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/viduzirivo.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}x$size icon in $icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/viduzirivo.svg" ] || fail "no scalable icon"

start "$prefix/bin/viduzirivo"
# A message box (the globe image not found) would come first, while the window is still hidden.
main=$(wait_top_window "$pid" 30) || fail "no window appeared"
[ "$(window_type "$main")" = NORMAL ] || fail "the first window is a $(window_type "$main")"
lightness() { convert "$workdir/shot.png" -crop "$1" -colorspace gray -format "%[fx:round(mean * 100)]" info:; }
# The clock drawn, with the light credit box above the black lower right corner of the drawing.
drawn() {
    import -window "$main" "$workdir/shot.png" 2>/dev/null || return 1
    colours=$(convert "$workdir/shot.png" -crop 349x338+24+0 +repage -format %k info:)
    [ "$colours" -gt 50 ] && [ "$(lightness 190x15+178+320)" -gt 80 ] && [ "$(lightness 20x10+150+300)" -lt 20 ]
}
wait_for 10 "$pid" drawn || fail "no drawing ($colours colours) with the credit box above its black corner"
[ "$(top_windows "$pid")" = "$main" ] || fail "the program ended, or showed more than its window"
[ "$(readlink -f "/proc/$pid/cwd")" = "$(readlink -f "$prefix/lib/viduzirivo")" ] ||
    fail "the program works in $(readlink "/proc/$pid/cwd"), not in its private folder"
close_cleanly "$main" 10
echo "installed, menu entry, metadata and icons valid; through the link one window, $colours colours drawn"

