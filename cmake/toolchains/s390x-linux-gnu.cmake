# Builds 64-bit IBM Z Linux programs, run under qemu-s390x-static: a
# big-endian machine. The tests check that the code is what this file states.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CONTAINERS_LINUX_TRIPLE s390x-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 64)
set(CONTAINERS_EXPECTED_BYTE_ORDER BIG_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/parts/linux-gnu.cmake")
