target_sources(lumisplit_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Elementary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RemoveCommonCols.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Threshold.cpp
  ${CMAKE_CURRENT_LIST_DIR}/General.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Verify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BasisPair.cpp)
