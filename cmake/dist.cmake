# Gathers the downloads of the builds BUILDS (build folders, separated by colons) into the empty
# folder DIST, with SHA256SUMS over them as `sha256sum -c` reads it: the files of one release, each
# named for this version. cmake -D BUILDS=... -D DIST=... -P cmake/dist.cmake
include("${CMAKE_CURRENT_LIST_DIR}/version.cmake")
string(REPLACE ":" ";" BUILDS "${BUILDS}")
file(REMOVE_RECURSE "${DIST}")
file(MAKE_DIRECTORY "${DIST}")
set(names "")
foreach(build IN LISTS BUILDS)
    # orbitdots_VERSION_ARCHITECTURE.deb, orbitdots-VERSION-win64.zip and so on.
    file(GLOB downloads "${build}/downloads/orbitdots?${ORBITDOTS_VERSION}?*")
    if(NOT downloads)
        message(FATAL_ERROR "${build} has no downloads of ${ORBITDOTS_VERSION}: build its preset's "
                            "downloads target")
    endif()
    foreach(download IN LISTS downloads)
        get_filename_component(name "${download}" NAME)
        file(COPY "${download}" DESTINATION "${DIST}")
        list(APPEND names "${name}")
    endforeach()
endforeach()
list(SORT names)
set(sums "")
foreach(name IN LISTS names)
    file(SHA256 "${DIST}/${name}" sum)
    string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE "${DIST}/SHA256SUMS" "${sums}")
