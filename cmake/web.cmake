# The web build (emcmake): emscripten's own SDL 1.2, in JavaScript, draws into the page's canvas.
# Its headers are SDL 1.3's, in the SDL folder of emscripten's system headers. (Newer emscriptens
# put those into their sysroot only when they first compile, after configuring: not to be found.)
add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL INTERFACE "${EMSCRIPTEN_SYSROOT}/include/SDL")
target_compile_options(PkgConfig::SDL INTERFACE
    "SHELL:-include ${PROJECT_SOURCE_DIR}/src/common/sdl_web.h")
