# When cross-compiling for Windows on Linux, runs the Windows programs (tests,
# test discovery and the run target) under Wine, quietly and with a Wine
# prefix of their own inside the build tree. Its first start takes a few
# seconds while Wine sets the prefix up.
if(NOT (CMAKE_CROSSCOMPILING AND WIN32 AND CMAKE_HOST_UNIX) OR CMAKE_CROSSCOMPILING_EMULATOR)
    return()
endif()

find_program(CONTAINERS_WINE NAMES wine REQUIRED)
set(_wine_runner "${CMAKE_BINARY_DIR}/wine-run.sh")
file(CONFIGURE OUTPUT "${_wine_runner}" @ONLY CONTENT [=[
#!/bin/sh
export WINEDEBUG=-all
export WINEPREFIX="@CMAKE_BINARY_DIR@/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
exec "@CONTAINERS_WINE@" "$@"
]=])
file(CHMOD "${_wine_runner}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_wine_runner}")
