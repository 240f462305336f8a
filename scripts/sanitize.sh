#!/usr/bin/env bash
# Builds the whole test suite under AddressSanitizer + UndefinedBehaviorSanitizer
# ("address") or ThreadSanitizer ("thread") and runs it.
#   sanitize.sh address|thread [ctest arguments...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: sanitize.sh address|thread}
shift

case "$kind" in
    address) sanitizers="address;undefined" ;;
    thread)  sanitizers="thread" ;;
    *) echo "sanitize.sh: address or thread" >&2; exit 2 ;;
esac

build=${TAVRIK_SANITIZE_BUILD_DIR:-$root/build-$kind}

"$root/scripts/setup.sh" --tests
# clang builds JUCE with sanitizers several times faster than gcc does.
CC=clang CXX=clang++ "$root/scripts/configure.sh" "$build" -DTAVRIK_BUILD_TESTS=ON "-DTAVRIK_SANITIZE=$sanitizers"
# The in-process suite: every thread of the plug-in's code runs in it. (The
# end-to-end tests would need a second, instrumented JUCE build of the host.)
cmake --build "$build" -j "$(nproc)" --target tavrik_tests

. "$root/scripts/display.sh"
ensure_display
home=$(mktemp -d)
trap 'rm -rf "$home"; stop_display' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config

suppressions="$root/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$suppressions/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$suppressions/ubsan.supp"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$suppressions/tsan.supp"

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900 -L unit "$@"
