# benchmarks of imaging join here
