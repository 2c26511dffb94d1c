# Runs a cross build's programs here (Wine, qemu, or natively), or where they
# cannot run, has each test fail saying why (docs/building.md).
if(NOT (CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX) OR CMAKE_CROSSCOMPILING_EMULATOR)
    return()
endif()
execute_process(COMMAND "${PROJECT_SOURCE_DIR}/cmake/can-run-x86.sh"
    OUTPUT_VARIABLE x86 OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE x86_status)
message(STATUS "32-bit x86 programs here: ${x86}")
set(runner "${CMAKE_BINARY_DIR}/run-cross.sh")
set(why "")
set(check "")
if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        find_program(CONTAINERS_WINE NAMES wine)
        # Asked on every run, so that installing 32-bit Wine needs no new configure.
        set(check "${PROJECT_SOURCE_DIR}/cmake/can-run-wine32.sh")
        execute_process(COMMAND "${check}" OUTPUT_VARIABLE wine32 OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE wine32_status)
        if(NOT wine32_status EQUAL 0)
            message(WARNING "32-bit Windows programs cannot run here (${wine32}): the tests fail saying so until "
                "they can; windows-x64 and linux-x86 run every test here.")
        endif()
        set(check "why=$('${check}') || { echo \"cannot run this build here: \${why#no: }\" >&2; exit 1; }\n")
    else()  # the wine loader script would try the 32-bit loader first
        find_program(CONTAINERS_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
        find_program(CONTAINERS_WINE NAMES wine64)
    endif()
    find_program(CONTAINERS_WINESERVER NAMES wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(CONTAINERS_WINESERVER NAMES wineserver)
    if(NOT why AND NOT CONTAINERS_WINE)
        set(why "Wine is not installed (Debian: wine, wine32:i386 or wine64).")
    endif()
    # Wine, quiet, with a prefix in the build tree. Debian's wineserver exits
    # with its last client, failing a program that starts just then, so each
    # run starts one that stays 30 s, and Wine's background programs, detached
    # from the output that a test runner waits on.
    file(WRITE "${runner}" "#!/bin/sh
${check}export WINEDEBUG=-all WINEPREFIX='${CMAKE_BINARY_DIR}/wineprefix' WINEDLLOVERRIDES='mscoree,mshtml='
[ -f \"\$WINEPREFIX/system.reg\" ] || '${CONTAINERS_WINE}' wineboot --init </dev/null >/dev/null 2>&1
if '${CONTAINERS_WINESERVER}' -p30 </dev/null >/dev/null 2>&1; then
    '${CONTAINERS_WINE}' wineboot </dev/null >/dev/null 2>&1
fi
exec '${CONTAINERS_WINE}' \"\$@\"\n")
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$" AND x86_status EQUAL 0)
    return()  # this machine runs them itself
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|aarch64|s390x)$")
    string(REGEX REPLACE "^i.86$" "i386" arch "${CMAKE_SYSTEM_PROCESSOR}")
    find_program(CONTAINERS_QEMU NAMES qemu-${arch}-static qemu-${arch})
    if(NOT CONTAINERS_QEMU)
        set(why "qemu-${arch}-static is not installed (Debian: qemu-user-static).")
    endif()
    file(WRITE "${runner}" "#!/bin/sh\nexec '${CONTAINERS_QEMU}' \"\$@\"\n")
else()
    return()
endif()
if(why)
    message(WARNING "${why} The programs build; their tests fail here.")
    file(WRITE "${runner}" "#!/bin/sh\necho 'cannot run this build here: ${why}' >&2\nexit 1\n")
endif()
file(CHMOD "${runner}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${runner}")
