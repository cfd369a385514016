# Zips FILES of the page's folder FOLDER into ZIP, with the folder at the zip's top, so that the
# same files give the same bytes: the folder and its files dated SOURCE_DATE, readable by all and
# no file executable, in one order, without the zip's extra fields (owners, other times). Run by
# the build's web_zip target: cmake -D ... -P zip.cmake, as cmake/reproducibly runs it (in UTC).
file(REMOVE "${ZIP}")
get_filename_component(parent "${FOLDER}" DIRECTORY)
get_filename_component(name "${FOLDER}" NAME)
list(SORT FILES)
list(TRANSFORM FILES PREPEND "${name}/")
execute_process(COMMAND chmod u=rw,go=r,a+X "${name}" ${FILES}
                WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -h -d "@${SOURCE_DATE}" "${name}" ${FILES}
                WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND zip -q -X "${ZIP}" "${name}" ${FILES}
                WORKING_DIRECTORY "${parent}" COMMAND_ERROR_IS_FATAL ANY)
