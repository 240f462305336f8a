#!/usr/bin/env bash
# Builds the plug-in's code with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and fuzzes the saved-state loader for a bounded
# time (default 60 s). Prints how many inputs ran.
#   fuzz.sh [SECONDS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVRIK_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}

"$root/scripts/setup.sh" --tests

CC=clang CXX=clang++ "$root/scripts/configure.sh" "$build" \
    -DTAVRIK_BUILD_TESTS=OFF -DTAVRIK_FUZZ=ON "-DTAVRIK_SANITIZE=address;undefined"
cmake --build "$build" --target tavrik_state_fuzzer -j "$(nproc)"

corpus="$build/state-corpus"
mkdir -p "$corpus"
# Seeds: a real saved state and a few near misses.
printf 'VC2!\x40\x00\x00\x00<?xml version="1.0" encoding="UTF-8"?>\n<RNNVoiceParams><PARAM id="bypass" value="1"/></RNNVoiceParams>\0' > "$corpus/saved-state"
printf 'VC2!\xff\xff\xff\x7f<a/>' > "$corpus/long-length"
printf 'VC2!' > "$corpus/magic-only"

ASAN_OPTIONS=detect_leaks=0 "$build/tavrik_state_fuzzer" -max_total_time="$seconds" -timeout=10 -max_len=4096 \
    -print_final_stats=1 "$corpus" 2>&1 | tee "$build/fuzz.log" | grep -E "stat::number_of_executed_units|ERROR|Done"
