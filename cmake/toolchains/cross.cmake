# Debian's cross compiler for the triple that a toolchain file names (MinGW-w64's
# with POSIX threads); programs link statically, so they run with no target
# library installed. PlatformTest checks the code against the triple's machine.
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
foreach(kind IN ITEMS LIBRARY INCLUDE PACKAGE)
    set(CMAKE_FIND_ROOT_PATH_MODE_${kind} ONLY)
endforeach()
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
