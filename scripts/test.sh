#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite on a virtual X display (the Wayland
# checks start a headless Weston of their own): once as built for release, once built with AddressSanitizer
# and UndefinedBehaviorSanitizer; then the 64-bit and the 32-bit Windows programs and their tests, run under
# Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all

# Warnings are errors in every build here, as in the presets (a user's build only reports them).
cmake -S . -B build -G Ninja -DVIDUZIRIVO_WERROR=ON
cmake --build build
scripts/with-display.sh ctest --test-dir build --output-on-failure

# Leaks are memcheck's job in the run above, where system libraries have their suppressions; the sanitizers
# here stop at the first invalid access or undefined behaviour.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVIDUZIRIVO_SANITIZE=ON -DVIDUZIRIVO_BENCHMARKS=OFF \
    -DVIDUZIRIVO_WERROR=ON
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    scripts/with-display.sh ctest --test-dir build-sanitize --output-on-failure

# The Windows builds. Their frame test compares the frames they draw with the same kept pictures.
# The 32-bit tests need a machine that runs 32-bit programs: where 32-bit Wine cannot even start (a kernel
# without 32-bit support), the 32-bit program is built but its tests are skipped, and the run says so.
for preset in windows-x64 windows-x86; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    if [ "$preset" = windows-x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "skipped: the windows-x86 tests, as this machine cannot run 32-bit programs: $(/usr/lib/wine/wine --version 2>&1 | head -n1)"
        continue
    fi
    scripts/with-display.sh ctest --preset "$preset"
done
