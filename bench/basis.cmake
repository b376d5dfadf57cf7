# The literal constructions of the tests are the baseline the fast ones are measured against.
add_executable(bench_basis basis_bench.cpp ${PROJECT_SOURCE_DIR}/tests/basis/Literal.cpp)
target_include_directories(bench_basis PRIVATE ${PROJECT_SOURCE_DIR}/tests/basis)
target_link_libraries(bench_basis PRIVATE lumisplit_core benchmark::benchmark_main)
