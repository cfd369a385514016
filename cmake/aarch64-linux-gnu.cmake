# Cross-builds for 64-bit ARM (Debian's arm64) with Debian's cross toolchain, against the arm64
# libraries that multiarch installs beside the machine's own. scripts/lib.sh passes
# ORBITDOTS_ARM64_SDL, the folder where Debian's arm64 SDL 1.2 development package is unpacked.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(arm64_triple aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${arm64_triple}-gcc)
set(CMAKE_CXX_COMPILER ${arm64_triple}-g++)

# pkg-config finds the arm64 libraries (SDL from its unpacked package), none of the machine's own.
# (CMake's compiler checks read this file again without the project's settings, and must leave
# the environment as the first reading set it.)
if(ORBITDOTS_ARM64_SDL)
    set(ENV{PKG_CONFIG_LIBDIR}
        "${ORBITDOTS_ARM64_SDL}/usr/lib/${arm64_triple}/pkgconfig:/usr/lib/${arm64_triple}/pkgconfig:/usr/share/pkgconfig")
    set(ENV{PKG_CONFIG_PATH} "")
endif()

# The programs link against the unpacked development package's libSDL.so, but load the arm64
# SDL that multiarch installed, as on an arm64 machine: no run path into the build folder (whose
# name would also stay behind in the packaged program).
set(CMAKE_SKIP_BUILD_RPATH ON)

# ctest runs the arm64 programs, and they the program they test, through qemu's user mode; the
# arm64 dynamic loader and libraries are where multiarch put them.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
