# benchmarks
