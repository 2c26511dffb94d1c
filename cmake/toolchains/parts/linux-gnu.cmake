# Shared by the Linux toolchain files, after CONTAINERS_LINUX_TRIPLE: Debian's
# cross compiler for it (g++-<triple>). Programs are linked statically, so
# that qemu-<arch>-static runs them with no target libraries installed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${CONTAINERS_LINUX_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${CONTAINERS_LINUX_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${CONTAINERS_LINUX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
