# The main window and its commands.
target_sources(lumisplit_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ShareFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShareFrame.h)
