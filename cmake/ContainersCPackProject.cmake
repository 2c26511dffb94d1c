# Read by CPack before it makes each package (CPACK_PROJECT_CONFIG_FILE).
#
# The tarball unpacks into a folder of its own, containers-<version>-Linux/;
# the ZIP and the .deb have none.
if(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
#
# CPack stamps every member of every archive with SOURCE_DATE_EPOCH. Where it
# is not set, it is the time of the last commit of the sources, so that the
# same commit always makes the same bytes. ZIP stores local times, so CPack
# works in UTC.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -c safe.directory=* -C "${CPACK_CONTAINERS_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE _containers_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE _containers_status ERROR_QUIET)
    if(_containers_status EQUAL 0 AND _containers_epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} "${_containers_epoch}")
    else()
        message(WARNING "SOURCE_DATE_EPOCH is not set and ${CPACK_CONTAINERS_SOURCE_DIR} is not a git "
            "checkout: the packages carry the current time")
    endif()
endif()
set(ENV{TZ} UTC)
