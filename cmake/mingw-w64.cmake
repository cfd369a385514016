# Cross-builds the Windows program with Debian's mingw-w64: 64-bit, POSIX threads model. The
# windows preset passes ORBITDOTS_WINDOWS_SDL (the prefix of SDL 1.2 cross-built from Debian's
# source, which scripts/test --packages-only makes) and ORBITDOTS_WINEPREFIX (the project's own
# Wine prefix, which runs the tests).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config finds the cross-built SDL as it finds SDL on Linux, and nothing of the build
# machine's own. (CMake's compiler checks read this file again without the project's settings.)
if(ORBITDOTS_WINDOWS_SDL)
    if(NOT EXISTS "${ORBITDOTS_WINDOWS_SDL}/bin/SDL.dll")
        message(FATAL_ERROR "No SDL 1.2 for Windows in ${ORBITDOTS_WINDOWS_SDL}: "
                            "scripts/test --packages-only builds it")
    endif()
    list(APPEND CMAKE_FIND_ROOT_PATH "${ORBITDOTS_WINDOWS_SDL}")
    set(ENV{PKG_CONFIG_LIBDIR} "${ORBITDOTS_WINDOWS_SDL}/lib/pkgconfig")
    set(ENV{PKG_CONFIG_PATH} "")
endif()

# ctest runs the Windows programs through Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env "WINEPREFIX=${ORBITDOTS_WINEPREFIX}" WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
    wine)
