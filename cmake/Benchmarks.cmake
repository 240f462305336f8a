find_package(benchmark REQUIRED)

add_executable(tavrik_benchmark tools/benchmark/ProcessorBenchmark.cpp)
target_include_directories(tavrik_benchmark PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/tests")
target_link_libraries(tavrik_benchmark PRIVATE TavrikNoiseRemoval benchmark::benchmark)
