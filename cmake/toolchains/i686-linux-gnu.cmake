# 32-bit x86 Linux, run natively where the kernel can, else under qemu-i386-static.
set(CONTAINERS_TRIPLE i686-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 32)
set(CONTAINERS_EXPECTED_BYTE_ORDER LITTLE_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
