# 32-bit Windows (x86).
set(CMAKE_SYSTEM_PROCESSOR X86)
set(VIDUZIRIVO_MINGW_TRIPLET i686-w64-mingw32)
set(VIDUZIRIVO_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
