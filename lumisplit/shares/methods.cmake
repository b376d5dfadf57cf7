target_sources(lumisplit_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Shares.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShareChecks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShareGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackedShares.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColumnMethods.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BlockMethods.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WriteShareSet.cpp)
