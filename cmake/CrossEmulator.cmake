# Runs the programs of a cross build (tests, test discovery and the run
# target) on this Linux machine, the way the machine allows:
#   32-bit Windows  under Wine, where the machine can run 32-bit x86 code;
#   64-bit Windows  under the wine64 loader;
#   32-bit Linux    natively where the machine can, else under qemu-i386-static;
#   ARM and IBM Z   under qemu-aarch64-static and qemu-s390x-static.
# cmake/can-run-x86.sh decides what the machine can do. Where a build's
# programs cannot run here, they still build, and each test fails with a
# message that says why and which presets to run instead.
# A user's own CMAKE_CROSSCOMPILING_EMULATOR is left as it is.
if(NOT (CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX) OR CMAKE_CROSSCOMPILING_EMULATOR)
    return()
endif()

execute_process(COMMAND "${PROJECT_SOURCE_DIR}/cmake/can-run-x86.sh"
    OUTPUT_VARIABLE _containers_x86 OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE _containers_x86_status)
message(STATUS "Can this machine run 32-bit x86 programs? ${_containers_x86}")

# _containers_use_runner(<shell script body>): the emulator becomes a script
# in the build tree with that body.
function(_containers_use_runner body)
    set(runner "${CMAKE_BINARY_DIR}/run-cross.sh")
    file(WRITE "${runner}" "#!/bin/sh\n${body}\n")
    file(CHMOD "${runner}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
        GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${runner}" PARENT_SCOPE)
endfunction()

# _containers_refuse_to_run(<why>): every program fails at once, saying why.
function(_containers_refuse_to_run why)
    message(WARNING "${why} The programs build; their tests fail here.")
    _containers_use_runner("cat >&2 <<'EOF'\ncannot run this build here: ${why}\nEOF\nexit 1")
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}" PARENT_SCOPE)
endfunction()

# _containers_use_wine(<loader>): Wine, quiet, with a prefix of its own in the
# build tree, which the first program to run sets up (a few seconds).
# Debian's wineserver exits as soon as its last client does, and a program
# that starts at that moment fails with "recvmsg: Connection reset by peer".
# So once the prefix exists, each run first starts a server that stays 30 s
# after its last client (when one is running already, that does nothing),
# and Wine's own background programs with it, detached from the caller's
# output: they live as long as the server, and a test runner waits for every
# holder of a test's output to finish.
function(_containers_use_wine loader)
    find_program(CONTAINERS_WINESERVER NAMES wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(CONTAINERS_WINESERVER NAMES wineserver)
    _containers_use_runner("export WINEDEBUG=-all
export WINEPREFIX=\"${CMAKE_BINARY_DIR}/wineprefix\"
export WINEDLLOVERRIDES=\"mscoree,mshtml=\"
if [ ! -f \"\$WINEPREFIX/system.reg\" ]; then
    # The first start sets the prefix up; what Wine says meanwhile is noise.
    \"${loader}\" wineboot --init </dev/null >/dev/null 2>&1 || true
fi
if \"${CONTAINERS_WINESERVER}\" -p30 </dev/null >/dev/null 2>&1; then
    \"${loader}\" wineboot </dev/null >/dev/null 2>&1 || true
fi
exec \"${loader}\" \"\$@\"")
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CROSSCOMPILING_EMULATOR}" PARENT_SCOPE)
endfunction()

if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    find_program(CONTAINERS_WINE NAMES wine)
    if(NOT _containers_x86_status EQUAL 0)
        _containers_refuse_to_run("32-bit Wine needs a machine that can run 32-bit x86 programs "
            "(${_containers_x86}); the windows-x64 and linux-x86 presets run every test here.")
    elseif(NOT CONTAINERS_WINE)
        _containers_refuse_to_run("Wine is not installed (Debian: wine, wine32:i386).")
    else()
        _containers_use_wine("${CONTAINERS_WINE}")
    endif()
elseif(WIN32)
    # The wine loader script would start the 32-bit loader first, which some
    # machines cannot run; the 64-bit loader is called directly.
    find_program(CONTAINERS_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    find_program(CONTAINERS_WINE64 NAMES wine64)
    if(NOT CONTAINERS_WINE64)
        _containers_refuse_to_run("The wine64 loader is not installed (Debian: wine64).")
    else()
        _containers_use_wine("${CONTAINERS_WINE64}")
    endif()
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^i.86$" AND _containers_x86_status EQUAL 0)
    # This machine runs the 32-bit x86 programs itself.
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i.86|aarch64|s390x)$")
    string(REGEX REPLACE "^i.86$" "i386" qemu_arch "${CMAKE_SYSTEM_PROCESSOR}")
    find_program(CONTAINERS_QEMU_${qemu_arch} NAMES qemu-${qemu_arch}-static qemu-${qemu_arch})
    if(NOT CONTAINERS_QEMU_${qemu_arch})
        _containers_refuse_to_run("qemu-${qemu_arch}-static, which runs ${CMAKE_SYSTEM_PROCESSOR} programs here, "
            "is not installed (Debian: qemu-user-static).")
    else()
        set(CMAKE_CROSSCOMPILING_EMULATOR "${CONTAINERS_QEMU_${qemu_arch}}")
    endif()
endif()
