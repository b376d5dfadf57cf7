target_sources(lumisplit_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Stack.cpp)
