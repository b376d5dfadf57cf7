# Imaging: CBmpImage, stacking and lumisplit-cli stack.
add_executable(test_imaging
  ${CMAKE_CURRENT_LIST_DIR}/BmpImageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpReadTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpWriteTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpSuiteTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StackTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CliStackTest.cpp)
add_dependencies(test_imaging lumisplit-cli)
target_link_libraries(test_imaging PRIVATE lumisplit_test_support GTest::gtest_main)
gtest_discover_tests(test_imaging)
