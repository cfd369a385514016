# The web build (emcmake): emscripten's own SDL 1.2, in JavaScript, draws into the page's canvas.
# Its headers are SDL 1.3's, in the SDL folder of emscripten's system headers.
find_path(ORBITDOTS_WEB_SDL_HEADERS SDL.h PATH_SUFFIXES SDL REQUIRED)
add_library(PkgConfig::SDL INTERFACE IMPORTED)
target_include_directories(PkgConfig::SDL INTERFACE "${ORBITDOTS_WEB_SDL_HEADERS}")
target_compile_options(PkgConfig::SDL INTERFACE
    "SHELL:-include ${PROJECT_SOURCE_DIR}/src/common/sdl_web.h")
