# The flags Debian builds its packages with, hardening included (dpkg-buildflags, for the
# architecture that DEB_HOST_ARCH names when cross-building), as the build's own compiler and
# linker flags: the packaged program is built with them. Read before project(), so that the build
# type's flags (-O3 for Release) come after them, as after any flags a user gives.
set(ENV{DEB_BUILD_MAINT_OPTIONS} "hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND dpkg-buildflags --get ${kind}
        WORKING_DIRECTORY "${CMAKE_CURRENT_LIST_DIR}/.."
        OUTPUT_VARIABLE debian_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
set(CMAKE_CXX_FLAGS "${debian_CPPFLAGS} ${debian_CXXFLAGS}" CACHE STRING
    "Debian's flags for packages (ORBITDOTS_DEBIAN_FLAGS)" FORCE)
set(CMAKE_EXE_LINKER_FLAGS "${debian_LDFLAGS}" CACHE STRING
    "Debian's flags for packages (ORBITDOTS_DEBIAN_FLAGS)" FORCE)
