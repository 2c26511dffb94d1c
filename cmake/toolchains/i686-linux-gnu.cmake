# Builds 32-bit x86 Linux programs, which run natively where the kernel can
# run them and under qemu-i386-static elsewhere. The tests check that the
# code is what this file states.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CONTAINERS_LINUX_TRIPLE i686-linux-gnu)
set(CONTAINERS_EXPECTED_POINTER_BITS 32)
set(CONTAINERS_EXPECTED_BYTE_ORDER LITTLE_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/parts/linux-gnu.cmake")
