# The share viewer's window, painted offscreen, and its command line.
find_package(Qt6 REQUIRED COMPONENTS Test)

add_executable(viewer_tests viewer/ViewerTest.cpp)
set_target_properties(viewer_tests PROPERTIES AUTOMOC ON)
target_link_libraries(viewer_tests PRIVATE oculet_view Qt6::Test)
target_compile_definitions(viewer_tests PRIVATE OCULET_BIN="$<TARGET_FILE:oculet>")
add_dependencies(viewer_tests oculet)
add_test(NAME viewer COMMAND viewer_tests)
set_tests_properties(viewer PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
