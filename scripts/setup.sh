#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, and
# unpacks RNNoise's C sources from Debian's obs-studio source package into
# third_party/. Safe to run again: it only does what is missing.
#   setup.sh [--tests]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    build-essential cmake pkg-config ccache xz-utils dpkg-dev
    juce-modules-source librlottie-dev
    libfreetype-dev libfontconfig1-dev libx11-dev libxrandr-dev libxinerama-dev
    libxcursor-dev libxext-dev libxcomposite-dev libgl-dev libglu1-mesa-dev
    zlib1g-dev libpng-dev libjpeg-dev
    sox espeak-ng
)
if [ "${1:-}" = "--tests" ]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth clang libclang-rt-dev
               libgl1-mesa-dri mesa-utils imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -q '^installed$'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# RNNoise has no Debian package; obs-studio's source package carries it.
rnnoise="$root/third_party/rnnoise"
if [ ! -f "$rnnoise/include/rnnoise.h" ]; then
    echo "setup: fetching RNNoise from Debian's obs-studio source package"
    download=$(mktemp -d)
    trap 'rm -rf "$download"' EXIT
    "$root/scripts/debian-source.sh" obs-studio "$download"
    tarball=$(ls "$download"/obs-studio_*.orig.tar.xz)
    top=$(tar -tJf "$tarball" | awk -F/ 'NR == 1 { print $1 }')
    tar -xJf "$tarball" -C "$download" "$top/plugins/obs-filters/rnnoise"
    mkdir -p "$root/third_party"
    rm -rf "$rnnoise"
    mv "$download/$top/plugins/obs-filters/rnnoise" "$rnnoise"
fi
