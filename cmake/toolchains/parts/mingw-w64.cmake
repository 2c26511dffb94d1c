# Shared by the Windows toolchain files, after CONTAINERS_MINGW_TRIPLE:
# Debian's MinGW-w64 compilers with POSIX threads. libgcc, libstdc++ and
# winpthread are linked in, so the .exe files need nothing installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${CONTAINERS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CONTAINERS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CONTAINERS_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CONTAINERS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
