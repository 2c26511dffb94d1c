# 64-bit Windows, run under the wine64 loader, which needs no 32-bit x86 support.
set(CONTAINERS_TRIPLE x86_64-w64-mingw32)
set(CONTAINERS_EXPECTED_POINTER_BITS 64)
set(CONTAINERS_EXPECTED_BYTE_ORDER LITTLE_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
