# The scheme bar, the parameter and count dialogs, and the GUI seam's Qt side.
target_sources(lumisplit_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Interaction.h
  ${CMAKE_CURRENT_LIST_DIR}/QtInteraction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtInteraction.h
  ${CMAKE_CURRENT_LIST_DIR}/MessageSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageSink.h
  ${CMAKE_CURRENT_LIST_DIR}/ProgressFeedback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgressFeedback.h
  ${CMAKE_CURRENT_LIST_DIR}/UnitDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UnitDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/ParamDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ParamDialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/MinQualSetDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MinQualSetDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/CoalesceDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CoalesceDialog.h
  ${CMAKE_CURRENT_LIST_DIR}/SchemeBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SchemeBar.h)
