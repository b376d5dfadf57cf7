target_sources(lumisplit_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpImage.cpp)
