# benchmarks of gui join here
