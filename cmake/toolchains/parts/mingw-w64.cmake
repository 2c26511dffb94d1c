# Not a toolchain file: the part that the MinGW-w64 toolchain files share,
# included by them after they set CONTAINERS_MINGW_TRIPLE: Debian's cross compilers with
# the POSIX thread model for CONTAINERS_MINGW_TRIPLE. The runtime libraries
# are linked statically, so the .exe files run on a Windows machine with
# nothing installed.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${CONTAINERS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CONTAINERS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CONTAINERS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CONTAINERS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go into each executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
