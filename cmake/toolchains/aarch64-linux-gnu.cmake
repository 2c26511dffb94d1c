# 64-bit ARM Linux (plain char is unsigned), run under qemu-aarch64-static.
set(CONTAINERS_TRIPLE aarch64-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 64)
set(CONTAINERS_EXPECTED_BYTE_ORDER LITTLE_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
