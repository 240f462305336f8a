#!/usr/bin/env bash
# Prints the noise floor (the first 0.9 s, room tone alone) and the voice level
# (the rest) of a noisy file and of its denoised version, in dBFS.
#   noise-report.sh NOISY.wav DENOISED.wav
set -euo pipefail

rms_db() {
    local rms
    rms=$(sox "$1" -n trim "$2" ${3:+"$3"} stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
    awk -v r="$rms" 'BEGIN { if (r > 0) printf "%6.1f", 20 * log(r) / log(10); else printf "  -inf" }'
}

printf '%-10s %18s %18s\n' "" "noise floor (dBFS)" "voice (dBFS)"
printf '%-10s %18s %18s\n' "before" "$(rms_db "$1" 0 0.9)" "$(rms_db "$1" 1.2)"
printf '%-10s %18s %18s\n' "after" "$(rms_db "$2" 0 0.9)" "$(rms_db "$2" 1.2)"
