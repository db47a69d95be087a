#!/usr/bin/env bash
# Start-up with sound and speech set up (startup_with_sound) against the
# minimal Widgets window (bench/app/minimal_window), median of 21 runs each,
# offscreen: with the dummy audio driver (a working device) and with no
# device at all (the output fails to open).
#   bench/audio/startup_with_sound.sh [build-folder]
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
runs=21

run_ms() { # command...
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 100000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2) / 10}'; }

# The two programs take turns, so a busy moment of the machine hits both.
report() { # label
  local sound=() base=()
  for _ in $(seq $runs); do
    sound+=($(GULUSPELL_HOME=$build/program/ run_ms "$build/bench/audio/startup_with_sound"))
    base+=($(run_ms "$build/bench/app/minimal_window"))
  done
  local s b
  s=$(printf '%s\n' "${sound[@]}" | median)
  b=$(printf '%s\n' "${base[@]}" | median)
  awk -v l="$1" -v s="$s" -v b="$b" \
    'BEGIN {printf "%-10s with sound and speech %6.1f ms   minimal window %6.1f ms   ratio %.2f\n", l, s, b, s/b}'
}

unset DISPLAY
export QT_QPA_PLATFORM=offscreen
(SDL_AUDIODRIVER=dummy report dummy)
(unset SDL_AUDIODRIVER; report no-device)
