# The main window: drawing a picture and the whole Encrypt command, offscreen.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
add_executable(bench_gui ${CMAKE_CURRENT_LIST_DIR}/gui_bench.cpp)
target_link_libraries(bench_gui PRIVATE lumisplit_gui benchmark::benchmark)
