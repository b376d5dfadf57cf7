include(${CMAKE_CURRENT_LIST_DIR}/stack.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/methods.cmake)
