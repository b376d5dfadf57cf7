# The front dialog over a real main window, headless through the scripted seam.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(front_dialog_tests e2e/FrontDialogTest.cpp)
set_target_properties(front_dialog_tests PROPERTIES AUTOMOC ON)
target_link_libraries(front_dialog_tests PRIVATE lumisplit_gui_test_support)
target_compile_definitions(front_dialog_tests PRIVATE
  LUMISPLIT_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
add_test(NAME front_dialog COMMAND front_dialog_tests)
set_tests_properties(front_dialog PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
