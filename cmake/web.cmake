# The web build (emcmake): emscripten's own SDL 1.2, in JavaScript, draws into the page's canvas.
# Its headers are SDL 1.3's, in the SDL folder of emscripten's system headers. Newer emscriptens
# put those into their sysroot only when they first compile, after configuring, so the folder is
# named as a compiler option: CMake requires an imported target's include folders to exist.
add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_compile_options(PkgConfig::SDL INTERFACE
    "SHELL:-isystem ${EMSCRIPTEN_SYSROOT}/include/SDL"
    "SHELL:-include ${PROJECT_SOURCE_DIR}/web/sdl_web.h")
