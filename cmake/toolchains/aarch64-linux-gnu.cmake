set(CONTAINERS_TRIPLE aarch64-linux-gnu)
include("${CMAKE_CURRENT_LIST_DIR}/cross.cmake")
