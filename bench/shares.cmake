add_executable(bench_shares shares_bench.cpp)
target_link_libraries(bench_shares PRIVATE lumisplit_core benchmark::benchmark)
