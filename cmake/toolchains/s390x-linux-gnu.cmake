# 64-bit IBM Z Linux, big-endian, run under qemu-s390x-static.
set(CONTAINERS_TRIPLE s390x-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 64)
set(CONTAINERS_EXPECTED_BYTE_ORDER BIG_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
