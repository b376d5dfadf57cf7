# Imaging: BMP reading and writing, stacking.
add_executable(bench_imaging ${CMAKE_CURRENT_LIST_DIR}/imaging_bench.cpp)
target_link_libraries(bench_imaging PRIVATE lumisplit_core benchmark::benchmark_main)
target_include_directories(bench_imaging PRIVATE ${PROJECT_SOURCE_DIR}/tests/imaging)
