# 32-bit Windows (x86).
set(CMAKE_SYSTEM_PROCESSOR X86)
set(VIDUZIRIVO_MINGW_TRIPLET i686-w64-mingw32)
set(VIDUZIRIVO_WINE_LOADER /usr/lib/wine/wine)
# Single-precision arithmetic in SSE registers, as on 64-bit Windows and Linux. The x87 unit would carry
# floats at extended precision between statements: 359.2 + 0.8 would then be a little above 360 and restart
# the spin a frame early, and frames would differ from the other builds' by rounding. Every processor that
# runs a current 32-bit Windows has SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
