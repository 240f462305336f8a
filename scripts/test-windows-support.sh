#!/usr/bin/env bash
# Cross-builds the support library's platform layer and its tests for 64-bit
# Windows with MinGW-w64 and runs them under Wine: the Windows side of the
# critical section, the debugger output and the local time, checked here.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVRIK_WINDOWS_BUILD_DIR:-$root/build-windows-support}

missing=()
for p in g++-mingw-w64-x86-64-posix wine64 libgtest-dev cmake ninja-build; do
    dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -q '^installed$' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIK_SUPPORT_ONLY=ON \
    "-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchains/mingw-w64.cmake" > "$build/configure.log" 2>&1 \
    || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)"

export WINEDEBUG=-all WINEPREFIX="$build/wine"
ctest --test-dir "$build" --output-on-failure
