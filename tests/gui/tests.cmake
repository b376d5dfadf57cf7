# The main window, its dialogs and commands, driven headless through the seam.
find_package(Qt6 REQUIRED COMPONENTS Test)

# The scripted seam, also used by the front dialog's tests.
add_library(lumisplit_gui_test_support STATIC gui/ScriptedInteraction.cpp)
target_include_directories(lumisplit_gui_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(lumisplit_gui_test_support PUBLIC lumisplit_gui Qt6::Test)
