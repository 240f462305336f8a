#!/usr/bin/env bash
# Synthesises the demo sample: a spoken voice (espeak-ng) over room noise that
# a podcaster knows well (a fan's broadband hiss, mains hum with harmonics, a
# low rumble), with one second of noise alone at the start so the noise floor
# can be measured before and after. The same file every time (sox -R), so
# the figures can be compared from run to run.
#   make-demo-voice.sh OUT.wav [RATE]
set -euo pipefail

out=$1
rate=${2:-48000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

text="Welcome back to the show. Today we talk about recording at home.
A quiet room matters more than an expensive microphone, but when the fan is
running and the fridge hums, a noise remover keeps the voice and lets the rest go."

espeak-ng -v en-us -s 155 -p 45 -w "$work/speech-raw.wav" "$text"
# One second of room tone before the voice, half a second after.
sox -R "$work/speech-raw.wav" -r "$rate" -c 1 -b 16 "$work/speech.wav" gain -n -6 pad 1.0 0.5
length=$(soxi -D "$work/speech.wav")

sox -R -n -r "$rate" -c 1 -b 16 "$work/hiss.wav"   synth "$length" pinknoise  vol 0.035
sox -R -n -r "$rate" -c 1 -b 16 "$work/rumble.wav" synth "$length" brownnoise vol 0.03
sox -R -n -r "$rate" -c 1 -b 16 "$work/hum.wav"    synth "$length" sine 50 sine 150 sine 250 remix - vol 0.012

sox -R -m -v 1 "$work/speech.wav" -v 1 "$work/hiss.wav" -v 1 "$work/rumble.wav" -v 1 "$work/hum.wav" -b 16 "$out"
