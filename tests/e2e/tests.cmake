# The front dialog over a real main window, headless through the scripted seam.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(front_dialog_tests e2e/FrontDialogTest.cpp)
set_target_properties(front_dialog_tests PROPERTIES AUTOMOC ON)
target_link_libraries(front_dialog_tests PRIVATE lumisplit_gui_test_support)
target_compile_definitions(front_dialog_tests PRIVATE
  LUMISPLIT_SAMPLES_DIR="${PROJECT_SOURCE_DIR}/samples")
add_test(NAME front_dialog COMMAND front_dialog_tests)
set_tests_properties(front_dialog PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

# The user's journey in a real X server, driven from outside by xdotool.
find_package(Qt6 REQUIRED COMPONENTS Gui)
add_executable(e2e_check_stack e2e/CheckStack.cpp)
target_link_libraries(e2e_check_stack PRIVATE Qt6::Gui)
add_test(NAME e2e_journey
  COMMAND xvfb-run -a -s "-screen 0 1280x1024x24"
          ${CMAKE_CURRENT_LIST_DIR}/journey.sh $<TARGET_FILE_DIR:lumisplit>
          ${PROJECT_SOURCE_DIR}/samples/secreto.bmp)
set_tests_properties(e2e_journey PROPERTIES TIMEOUT 90)

# What `cmake --install` leaves for a desktop.
add_test(NAME install_layout COMMAND ${CMAKE_CURRENT_LIST_DIR}/install.sh ${PROJECT_BINARY_DIR})
