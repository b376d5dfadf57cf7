# benchmarks of shares join here
