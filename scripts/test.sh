#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then the in-process suite
# again under AddressSanitizer + UBSan and under ThreadSanitizer, and the
# support library's tests built for Windows, under Wine. Installs what
# it needs on a fresh Debian 12 machine, and starts a virtual X display when
# there is none.
#   test.sh [--quick] [ctest arguments...]   (--quick: the plain build only)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVRIK_BUILD_DIR:-$root/build}

quick=false
if [ "${1:-}" = "--quick" ]; then
    quick=true
    shift
fi

"$root/scripts/setup.sh" --tests
"$root/scripts/configure.sh" "$build" -DTAVRIK_BUILD_TESTS=ON
cmake --build "$build" -j "$(nproc)"

. "$root/scripts/display.sh"
ensure_display

# Tests never touch the real user's log or settings.
home=$(mktemp -d)
trap 'rm -rf "$home"; stop_display' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config

ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"

if ! $quick; then
    "$root/scripts/sanitize.sh" address "$@"
    "$root/scripts/sanitize.sh" thread "$@"
    "$root/scripts/test-windows-support.sh"
fi
