# The main window, its dialogs and commands, driven headless through the seam.
find_package(Qt6 REQUIRED COMPONENTS Test)

# The scripted seam, also used by the front dialog's tests.
add_library(lumisplit_gui_test_support STATIC gui/ScriptedInteraction.cpp)
target_include_directories(lumisplit_gui_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lumisplit_gui_test_support PUBLIC lumisplit_gui Qt6::Test)

foreach(suite Frame Encrypt Combine Dialog)
  string(TOLOWER ${suite} name)
  add_executable(gui_${name}_tests gui/${suite}Test.cpp gui/GuiWorkspace.h)
  set_target_properties(gui_${name}_tests PROPERTIES AUTOMOC ON)
  target_link_libraries(gui_${name}_tests PRIVATE lumisplit_gui_test_support lumisplit_test_support)
  add_test(NAME gui_${name} COMMAND gui_${name}_tests)
  set_tests_properties(gui_${name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endforeach()

# Not a test: takes docs/main-window.png in a real X server (xvfb-run -a).
add_executable(gui_screenshot gui/Screenshot.cpp)
target_link_libraries(gui_screenshot PRIVATE lumisplit_gui_test_support lumisplit_test_support)
