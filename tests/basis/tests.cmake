add_executable(basis_tests
  basis/Literal.cpp
  basis/MatrixText.cpp
  basis/MatrixTest.cpp
  basis/ElementaryTest.cpp
  basis/RemoveCommonColsTest.cpp
  basis/ThresholdTest.cpp
  basis/GeneralTest.cpp
  basis/BasisPairTest.cpp
  basis/VerifyTest.cpp
  basis/CliTest.cpp)
target_link_libraries(basis_tests PRIVATE lumisplit_test_support GTest::gtest_main)
add_dependencies(basis_tests lumisplit-cli)
gtest_discover_tests(basis_tests DISCOVERY_TIMEOUT 60)
