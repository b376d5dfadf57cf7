target_sources(lumisplit_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FrontDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrontDialog.h)
