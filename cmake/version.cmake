# The version of what the build makes, from one place: the top entry of packaging/changelog.
#  - A released entry (any distribution but UNRELEASED) is a release: its version, "1.1.0".
#  - An UNRELEASED entry names the next release, and the commit is on the way to it:
#    "1.2.0~dev+git20261209.25a2601", from the commit's date (UTC) and its hash. Debian (and
#    the MSI's numbers below) sort it after the last release and before the next one.
# Nothing comes from the clock, the machine or git's tags. ORBITDOTS_VERSION=X.Y.Z in the
# environment builds that release's version instead (an older one, to test upgrades from it).
#
# Sets:
#  ORBITDOTS_VERSION          the version every artifact carries;
#  ORBITDOTS_DEVELOPMENT      whether it is a development build;
#  ORBITDOTS_VERSION_DATE     a development build's date, the commit's (YYYY-MM-DD);
#  ORBITDOTS_SOURCE_DATE      the time every file of the downloads is dated (seconds since 1970):
#                             SOURCE_DATE_EPOCH where it is set, else the commit's time;
#  ORBITDOTS_NUMERIC_VERSION  three numbers for Windows, which takes no letters: a release X.Y.Z
#                             is X.Y.(100 Z); a development build after the release a.b.c is
#                             a.b.(100 c + 1). Windows Installer compares only these three numbers,
#                             and so a development build sorts after its last release and before
#                             any later one, patch releases included, and a release reads as
#                             itself where Windows shows the version (X.Y.0 as X.Y.0).
#
# Run as a script (cmake -P cmake/version.cmake), prints ORBITDOTS_VERSION.

set(orbitdots_source "${CMAKE_CURRENT_LIST_DIR}/..")

# The version and distribution of each changelog entry, newest first, as "version;distribution".
function(orbitdots_changelog_entries result)
    file(STRINGS "${orbitdots_source}/packaging/changelog" headers
         REGEX "^orbitdots \\([^)]+\\) [^;]+;")
    set(entries "")
    foreach(header IN LISTS headers)
        string(REGEX REPLACE "^orbitdots \\(([^)]+)\\) ([^;]+);.*" "\\1,\\2" entry "${header}")
        list(APPEND entries "${entry}")
    endforeach()
    set(${result} "${entries}" PARENT_SCOPE)
endfunction()

# Checks that a version is X.Y.Z, and that Windows can carry it.
function(orbitdots_check_release version)
    if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "A release's version is X.Y.Z, not '${version}'")
    endif()
    if(CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 654)
        message(FATAL_ERROR "Windows cannot number the version ${version}")
    endif()
endfunction()

# The three numbers of a release for Windows, plus the development step (0 or 1).
function(orbitdots_numeric_version release step result)
    string(REPLACE "." ";" parts "${release}")
    list(GET parts 0 major)
    list(GET parts 1 minor)
    list(GET parts 2 patch)
    math(EXPR build "${patch} * 100 + ${step}")
    set(${result} "${major}.${minor}.${build}" PARENT_SCOPE)
endfunction()

# The commit's date (UTC) as YYYYMMDD, its hash, abbreviated to seven digits, and its time in
# seconds since 1970; empty where git finds no commit.
function(orbitdots_commit date_result hash_result time_result)
    find_program(ORBITDOTS_GIT git)
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${ORBITDOTS_GIT}" -C "${orbitdots_source}" log -1
                "--format=%cd %H %ct" --date=format-local:%Y%m%d
        OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed
        ERROR_QUIET)
    if(failed OR NOT commit MATCHES "^([0-9]+) ([0-9a-f]+) ([0-9]+)$")
        return()
    endif()
    set(${date_result} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    string(SUBSTRING "${CMAKE_MATCH_2}" 0 7 hash)
    set(${hash_result} "${hash}" PARENT_SCOPE)
    set(${time_result} "${CMAKE_MATCH_3}" PARENT_SCOPE)
endfunction()

# Only from the environment: a cached value would outlive the build that asked for it.
set(ORBITDOTS_VERSION "$ENV{ORBITDOTS_VERSION}")
orbitdots_changelog_entries(orbitdots_entries)
list(GET orbitdots_entries 0 orbitdots_top)
string(REPLACE "," ";" orbitdots_top "${orbitdots_top}")
list(GET orbitdots_top 0 orbitdots_top_version)
list(GET orbitdots_top 1 orbitdots_top_distribution)

orbitdots_commit(orbitdots_date orbitdots_hash orbitdots_commit_time)
set(ORBITDOTS_SOURCE_DATE "$ENV{SOURCE_DATE_EPOCH}")
if(NOT ORBITDOTS_SOURCE_DATE)
    set(ORBITDOTS_SOURCE_DATE "${orbitdots_commit_time}")
endif()

if(ORBITDOTS_VERSION)
    orbitdots_check_release("${ORBITDOTS_VERSION}")
    set(ORBITDOTS_DEVELOPMENT FALSE)
    orbitdots_numeric_version("${ORBITDOTS_VERSION}" 0 ORBITDOTS_NUMERIC_VERSION)
elseif(orbitdots_top_distribution STREQUAL "UNRELEASED")
    set(ORBITDOTS_DEVELOPMENT TRUE)
    if(NOT orbitdots_hash)
        message(FATAL_ERROR "This development build takes its version from its git commit, and "
                            "git finds none here; set ORBITDOTS_VERSION=X.Y.Z to build a release")
    endif()
    set(ORBITDOTS_VERSION "${orbitdots_top_version}~dev+git${orbitdots_date}.${orbitdots_hash}")
    string(REGEX REPLACE "^(....)(..)(..)$" "\\1-\\2-\\3" ORBITDOTS_VERSION_DATE
           "${orbitdots_date}")
    list(FILTER orbitdots_entries EXCLUDE REGEX ",UNRELEASED$")
    list(GET orbitdots_entries 0 orbitdots_last_release)
    string(REGEX REPLACE ",.*" "" orbitdots_last_release "${orbitdots_last_release}")
    orbitdots_check_release("${orbitdots_top_version}")
    orbitdots_numeric_version("${orbitdots_last_release}" 1 ORBITDOTS_NUMERIC_VERSION)
else()
    set(ORBITDOTS_DEVELOPMENT FALSE)
    set(ORBITDOTS_VERSION "${orbitdots_top_version}")
    orbitdots_check_release("${ORBITDOTS_VERSION}")
    orbitdots_numeric_version("${ORBITDOTS_VERSION}" 0 ORBITDOTS_NUMERIC_VERSION)
endif()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${ORBITDOTS_VERSION}")
endif()
