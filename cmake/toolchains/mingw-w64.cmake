# Cross-compiling for Windows with MinGW-w64 (posix threads). Included by the per-architecture toolchain files,
# which set VIDUZIRIVO_MINGW_TRIPLET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

set(CMAKE_C_COMPILER ${VIDUZIRIVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIDUZIRIVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VIDUZIRIVO_MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${VIDUZIRIVO_MINGW_TRIPLET}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${VIDUZIRIVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable that needs nothing beside it but the DLLs every Windows has: the C++ runtime, libgcc and
# winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run the Windows programs under Wine, with a Wine prefix of their own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix
                                  ${VIDUZIRIVO_WINE_LOADER})
