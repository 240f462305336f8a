#!/usr/bin/env bash
# Builds the plug-in, installs it to ~/.vst3 and runs the main job: renders a
# noisy voice through the built module and prints the noise level before and
# after. Installs what it needs on a fresh Debian 12 machine.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVRIK_BUILD_DIR:-$root/build}

"$root/scripts/setup.sh"
"$root/scripts/configure.sh" "$build" -DTAVRIK_BUILD_TESTS=OFF
cmake --build "$build" --target TavrikNoiseRemoval_VST3 tavrik-render -j "$(nproc)"

bundle=$(cat "$build/plugin-bundle-path.txt")
mkdir -p "$HOME/.vst3"
rm -rf "$HOME/.vst3/TavrikNoiseRemoval.vst3"
cp -r "$bundle" "$HOME/.vst3/"
echo "Installed $HOME/.vst3/TavrikNoiseRemoval.vst3"

demo="$build/demo"
mkdir -p "$demo"
[ -f "$demo/noisy-voice.wav" ] || "$root/tools/demo/make-demo-voice.sh" "$demo/noisy-voice.wav" 48000
"$build/tavrik-render" --plugin "$HOME/.vst3/TavrikNoiseRemoval.vst3" "$demo/noisy-voice.wav" "$demo/denoised-voice.wav"

"$root/scripts/noise-report.sh" "$demo/noisy-voice.wav" "$demo/denoised-voice.wav"
