# 64-bit Windows (x86-64).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VIDUZIRIVO_MINGW_TRIPLET x86_64-w64-mingw32)
set(VIDUZIRIVO_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
