#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, on the display the caller has (the test command's virtual
# one). The build keeps its own Wine prefix: creating one takes about 18 s, later starts about 1 s.
# Usage: wine-run.sh PREFIX LOADER PROGRAM [ARGS...]   (LOADER: /usr/lib/wine/wine64 or /usr/lib/wine/wine)
set -euo pipefail
export WINEPREFIX=$1
loader=$2
shift 2
export WINEDEBUG=-all
# A program that crashes ends at once instead of waiting in Wine's debugger; the caller's own overrides stay.
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # One creator at a time when tests start together; no offer to install .NET or a browser engine.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            WINEDLLOVERRIDES="mscoree=;mshtml=" "$loader" wineboot --init >/dev/null 2>&1
            # Like Windows, show Japanese text in the system font (message boxes) through a linked font; the
            # prefix has none of its own, IPA P Gothic comes with the system's fonts.
            "$loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v Tahoma /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
            # Under a Japanese locale Wine draws message boxes in "MS UI Gothic" (and rewrites the link above):
            # IPA P Gothic stands in for it, as on Japanese Windows that face is always there.
            "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ /d IPAPGothic \
                /f >/dev/null 2>&1
            # A program that crashes ends with a failure and a backtrace instead of waiting on a crash dialog.
            "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            wineserver_dir=$(dirname "$loader")
            WINEPREFIX=$WINEPREFIX "$wineserver_dir/wineserver" -w || true
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$loader" "$@"
