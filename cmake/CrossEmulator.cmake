# Runs a cross build's programs here (Wine, qemu, natively), or has each test
# fail saying why they cannot (docs/building.md).
if(NOT (CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX) OR CMAKE_CROSSCOMPILING_EMULATOR)
    return()
endif()
set(check "${PROJECT_SOURCE_DIR}/cmake/can-run-x86.sh")
execute_process(COMMAND "${check}" OUTPUT_VARIABLE x86 OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE x86_status)
message(STATUS "32-bit x86 programs here: ${x86}")
set(runner "${CMAKE_BINARY_DIR}/run-cross.sh")
set(why "")
if(WIN32)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        find_program(CONTAINERS_WINE NAMES wine)
        # Asked on every run: installing 32-bit Wine needs no new configure.
        execute_process(COMMAND "${check}" wine32 OUTPUT_VARIABLE wine32 OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE wine32_status)
        if(NOT wine32_status EQUAL 0)
            message(WARNING "32-bit Windows programs cannot run here (${wine32}); windows-x64 runs every test.")
        endif()
        set(check "why=$('${check}' wine32) || { echo \"cannot run this build here: \${why#no: }\" >&2; exit 1; }\n")
    else()  # the wine loader script would try the 32-bit loader first
        set(check "")
        find_program(CONTAINERS_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
        find_program(CONTAINERS_WINE NAMES wine64)
    endif()
    find_program(CONTAINERS_WINESERVER NAMES wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(CONTAINERS_WINESERVER NAMES wineserver)
    if(NOT CONTAINERS_WINE)
        set(why "Wine is not installed (Debian: wine, wine32:i386 or wine64).")
    endif()
    # Wine, quiet, with a prefix in the build tree. Debian's wineserver exits
    # with its last client, failing a program that starts just then: each run
    # starts one that stays 30 s, and Wine's background programs, detached.
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
execute_process(COMMAND chmod 755 "${runner}")
set(CMAKE_CROSSCOMPILING_EMULATOR "${runner}")
