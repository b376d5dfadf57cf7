# The Qt programs' shared code lives in lumisplit_gui so that the GUI tests link it.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(lumisplit_gui STATIC)
set_target_properties(lumisplit_gui PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(lumisplit_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(lumisplit_gui PUBLIC lumisplit_core Qt6::Widgets)
include(princip/frame.cmake)
include(shell/sources.cmake)
include(shell/front.cmake)
include(res/resources.cmake)

add_executable(lumisplit)
set_target_properties(lumisplit PROPERTIES AUTOMOC ON)
target_link_libraries(lumisplit PRIVATE lumisplit_gui)
include(princip/app.cmake)
install(TARGETS lumisplit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
