#!/usr/bin/env bash
# Configures a build folder with Ninja (Make where Ninja is missing).
#   configure.sh BUILD_DIR [CMAKE_ARGS...]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift

generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    generator=(-G Ninja)
fi

mkdir -p "$build"
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release "$@" > "$build/configure.log" 2>&1 \
    || { cat "$build/configure.log"; exit 1; }
