#!/usr/bin/env bash
# The same frame from the Linux and the Windows build: the Linux renderer tests draw it first, then the
# Windows ones draw it again and compare. Both pictures stay in the current folder for a look.
# Usage: frame_parity_test.sh LINUX_RENDER_TESTS WINDOWS_RUNNER... WINDOWS_RENDER_TESTS
set -euo pipefail
linux=$1
shift
if [ ! -x "$linux" ]; then
    echo "skipped: no Linux build at $linux"
    exit 77
fi
VIDUZIRIVO_FRAME=frame-linux.ppm QT_QPA_PLATFORM=xcb "$linux" --gtest_filter='FrameParity.*'
VIDUZIRIVO_FRAME=frame-windows.ppm VIDUZIRIVO_REFERENCE_FRAME=frame-linux.ppm "$@" --gtest_filter='FrameParity.*'
