# Makes the Windows installer, MSI, from the files the zip holds (installed from the build BUILD
# into a folder of their own) and the icon ICON for its shortcut and its entry in Apps & features,
# with wixl from the source WXS. Run by the build's msi target: cmake -D ... -P msi.cmake, as
# cmake/reproducibly runs it (in UTC, SOURCE_DATE_EPOCH the source date).
#
# wixl keeps the files' times in the cabinet, stamps the installer with the time it runs and draws
# a new package code on every run. So the files are dated SOURCE_DATE; wixl and msibuild run with
# their clock stopped at it (faketime -f: without -f the clock starts at the date and runs on, and
# a slow build stamps a later second; NO_FAKE_STAT: faketime would shift the files' times too),
# and msibuild sets the version's own package code, PACKAGE_CODE.
set(files "${BUILD}/msi-files")
file(REMOVE_RECURSE "${files}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${files}" --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(COPY "${ICON}" DESTINATION "${files}")
execute_process(COMMAND find "${files}" -exec touch -h -d "@${SOURCE_DATE}" {} +
                COMMAND_ERROR_IS_FATAL ANY)

# (string(TIMESTAMP) reads SOURCE_DATE_EPOCH.)
string(TIMESTAMP clock "%Y-%m-%d %H:%M:%S" UTC)
set(at_source_date env NO_FAKE_STAT=1 faketime -f "${clock}")
execute_process(COMMAND ${at_source_date} wixl --arch x64 -o "${MSI}" "${WXS}"
                WORKING_DIRECTORY "${files}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${at_source_date} msibuild "${MSI}" -s "orbitdots ${VERSION}"
                        "The orbitdots developers" "x64;1033" "${PACKAGE_CODE}"
                COMMAND_ERROR_IS_FATAL ANY)
