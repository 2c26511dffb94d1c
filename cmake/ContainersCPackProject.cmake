# Read by CPack before each package: only the tarball has a top folder, and archive
# members carry SOURCE_DATE_EPOCH (the last commit's time), in UTC (ZIP stores local times).
if(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -c safe.directory=* -C "${CPACK_CONTAINERS_SOURCE_DIR}" log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND epoch MATCHES "^[0-9]+$")
        set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    else()
        message(WARNING "No SOURCE_DATE_EPOCH and no git checkout: the packages carry the current time")
    endif()
endif()
set(ENV{TZ} UTC)
