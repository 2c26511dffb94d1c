# Read by CPack before each package. Only the tarball has a top folder,
# containers-<version>-Linux/. Every member of every archive is stamped with
# SOURCE_DATE_EPOCH, by default the time of the last commit; ZIP stores local
# times, so CPack works in UTC.
if(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -c safe.directory=* -C "${CPACK_CONTAINERS_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    else()
        message(WARNING "SOURCE_DATE_EPOCH is not set and ${CPACK_CONTAINERS_SOURCE_DIR} is not a git "
            "checkout: the packages carry the current time")
    endif()
endif()
set(ENV{TZ} UTC)
