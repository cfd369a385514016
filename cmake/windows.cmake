# The Windows build: a console program linked against SDL.dll, with the C++ runtime inside it.
enable_language(RC)

# SDL's Windows glue would rename main and make this a GUI program; it starts at its own main
# (see src/app/main.cpp) and so does without SDLmain and its -Dmain=SDL_main.
get_target_property(sdl_options PkgConfig::SDL INTERFACE_COMPILE_OPTIONS)
list(REMOVE_ITEM sdl_options -Dmain=SDL_main)
set_target_properties(PkgConfig::SDL PROPERTIES INTERFACE_COMPILE_OPTIONS "${sdl_options}")

# A 64-bit console program that needs nothing beside it but SDL.dll and Windows' own DLLs.
# -static takes the C++ runtime and winpthread in; SDL, linked through the full path of its import
# library, stays SDL.dll.
add_link_options(-static -Wl,--subsystem,console)
# The same sources give the same program: no time of linking in its header.
add_link_options(-Wl,--no-insert-timestamp)

# Every program of the build, tests included, starts beside SDL.dll, without its debug
# information (most of its size), as the zip and the installer ship it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bin")
set(ORBITDOTS_SDL_DLL "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/SDL.dll")
file(MAKE_DIRECTORY "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
# (strip dates the copy SOURCE_DATE_EPOCH, not the time it runs.)
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "SOURCE_DATE_EPOCH=${ORBITDOTS_SOURCE_DATE}"
            "${CMAKE_STRIP}" --strip-debug -o "${ORBITDOTS_SDL_DLL}" "${SDL_PREFIX}/bin/SDL.dll"
    COMMAND_ERROR_IS_FATAL ANY)

# The zip has no folders of its own: the program sits at its top.
set(CMAKE_INSTALL_BINDIR "." CACHE PATH "Where the program goes in the zip")

# The version of Debian's SDL 1.2 source package that SDL.dll is built from, as its build noted.
file(READ "${ORBITDOTS_WINDOWS_SDL}/source-version" ORBITDOTS_SDL_SOURCE_VERSION)
string(STRIP "${ORBITDOTS_SDL_SOURCE_VERSION}" ORBITDOTS_SDL_SOURCE_VERSION)
