add_executable(test_shares
  shares/ShareTestSupport.cpp
  shares/test_random.cpp
  shares/test_share_layout.cpp
  shares/test_share_refusals.cpp
  shares/test_share_security.cpp
  shares/test_cli_split.cpp
  shares/test_write_share_set.cpp
  shares/test_shares_oracle.cpp)
target_link_libraries(test_shares PRIVATE lumisplit_test_support GTest::gtest_main)
add_dependencies(test_shares lumisplit-cli)
gtest_discover_tests(test_shares)
