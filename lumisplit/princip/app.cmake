target_sources(lumisplit PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
