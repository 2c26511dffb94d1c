# Shared by the toolchain files, which state the triple and the machine that
# the tests check the code is for: Debian's cross compilers (MinGW-w64's with
# POSIX threads). Programs link statically, so they run with no target library
# installed, on Windows or under qemu.
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${CONTAINERS_TRIPLE}")
set(CMAKE_SYSTEM_NAME Linux)
if(CONTAINERS_TRIPLE MATCHES "mingw32$")
    set(CMAKE_SYSTEM_NAME Windows)
    set(CONTAINERS_COMPILER_SUFFIX -posix)
    set(CMAKE_RC_COMPILER ${CONTAINERS_TRIPLE}-windres)
endif()
set(CMAKE_C_COMPILER ${CONTAINERS_TRIPLE}-gcc${CONTAINERS_COMPILER_SUFFIX})
set(CMAKE_CXX_COMPILER ${CONTAINERS_TRIPLE}-g++${CONTAINERS_COMPILER_SUFFIX})
set(CMAKE_FIND_ROOT_PATH /usr/${CONTAINERS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
