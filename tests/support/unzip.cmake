# Unzips a download, ZIP, into the empty folder INTO, as a user would (a CTest fixture):
# cmake -D ZIP=... -D INTO=... -D MADE_BY=... -P unzip.cmake. MADE_BY says what makes the zip.
if(NOT EXISTS "${ZIP}")
    message(FATAL_ERROR "There is no ${ZIP}: ${MADE_BY} makes it")
endif()
file(REMOVE_RECURSE "${INTO}")
file(MAKE_DIRECTORY "${INTO}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${INTO}")
