# Cross-compiles for 32-bit Windows, the program's own platform.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CONTAINERS_MINGW_TRIPLE i686-w64-mingw32)
set(CONTAINERS_EXPECTED_POINTER_BITS 32)
set(CONTAINERS_EXPECTED_BYTE_ORDER LITTLE_ENDIAN)
include("${CMAKE_CURRENT_LIST_DIR}/parts/mingw-w64.cmake")
