# What users download, made by the build's `downloads` target: each file by a target of its own,
# named for what it is (deb, windows_zip, msi, web_zip), into the build's downloads/ folder. Each
# is made as cmake/reproducibly runs a command, with its times the source date
# (ORBITDOTS_SOURCE_DATE), whatever the time, the time zone, the locale or the umask of the build:
# the same commit gives the same bytes in every folder, on every machine.
add_custom_target(downloads)
set(ORBITDOTS_DOWNLOADS "${CMAKE_BINARY_DIR}/downloads")

# What a package made from the install rules depends on: the rules themselves, and CPack's settings.
set(ORBITDOTS_INSTALL_RULES "${CMAKE_BINARY_DIR}/CPackConfig.cmake"
    "${CMAKE_BINARY_DIR}/src/app/cmake_install.cmake")

# orbitdots_add_download(NAME FILE COMMAND command... [DEPENDS file-or-target...])
function(orbitdots_add_download name file)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "COMMAND;DEPENDS")
    if(NOT ORBITDOTS_SOURCE_DATE)
        message(WARNING "No commit and no SOURCE_DATE_EPOCH: the downloads cannot be dated")
        set(arg_COMMAND "${CMAKE_COMMAND}" -E false)
    endif()
    get_filename_component(file_name "${file}" NAME)
    add_custom_command(OUTPUT "${file}"
                       COMMAND "${PROJECT_SOURCE_DIR}/cmake/reproducibly" "${ORBITDOTS_SOURCE_DATE}"
                               ${arg_COMMAND}
                       DEPENDS ${arg_DEPENDS} "${PROJECT_SOURCE_DIR}/cmake/reproducibly"
                       COMMENT "Making ${file_name}" VERBATIM)
    add_custom_target(${name} DEPENDS "${file}")
    add_dependencies(downloads ${name})
endfunction()
