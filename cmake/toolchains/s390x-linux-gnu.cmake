# 64-bit IBM Z Linux, big-endian, run under qemu-s390x-static.
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(CONTAINERS_LINUX_TRIPLE s390x-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 64)
set(CONTAINERS_EXPECTED_BYTE_ORDER BIG_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/parts/linux-gnu.cmake")
