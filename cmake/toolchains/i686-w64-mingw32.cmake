set(CONTAINERS_TRIPLE i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
