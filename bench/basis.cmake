# benchmarks of basis join here
