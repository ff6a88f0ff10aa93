#!/usr/bin/env bash
# The Windows program needs no DLL beside it: at load time it imports only DLLs that every Windows has. The
# C++ runtime is linked in, and OpenGL and GLU are bound on first use, so that the program can start where
# they are missing and say so.
# Usage: imports_test.sh OBJDUMP PROGRAM
set -euo pipefail
objdump=$1
program=$2
system=" advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
imports=$("$objdump" -p "$program" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
echo "imports:" $imports
for dll in $imports; do
    if [ "$dll" = opengl32.dll ] || [ "$dll" = glu32.dll ]; then
        echo "$program imports $dll at load time: without it Windows would not start the program at all"
        exit 1
    fi
    if [[ "$system" != *" $dll "* ]]; then
        echo "$program imports $dll, which is not part of every Windows"
        exit 1
    fi
done
