#!/usr/bin/env bash
# The Windows program needs no DLL beside it: at load time it imports only DLLs that every Windows has. The
# C++ runtime is linked in, and OpenGL and GLU are bound on first use, so that the program can start where
# they are missing and say so.
# Usage: imports_test.sh PROGRAM OBJDUMP
set -euo pipefail
imports=$("$2" -p "$1" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "imports:" $imports
for dll in $imports; do
    case $dll in
    advapi32.dll | comctl32.dll | gdi32.dll | kernel32.dll | msvcrt.dll | ole32.dll | shell32.dll | user32.dll) ;;
    *) echo "$dll is imported at load time: where it is missing, Windows would not start the program" && exit 1 ;;
    esac
done
