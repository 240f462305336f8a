# libFuzzer over the saved-state loader; needs clang (scripts/fuzz.sh sets it up).
add_executable(tavrik_state_fuzzer tests/fuzz/StateFuzzer.cpp)
target_link_libraries(tavrik_state_fuzzer PRIVATE TavrikNoiseRemoval)
target_link_options(tavrik_state_fuzzer PRIVATE -fsanitize=fuzzer)
