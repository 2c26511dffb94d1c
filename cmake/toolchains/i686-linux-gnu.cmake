set(CONTAINERS_TRIPLE i686-linux-gnu)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
