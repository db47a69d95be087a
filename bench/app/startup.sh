#!/usr/bin/env bash
# Start-up time: process start to the first shown main window (the program
# prints the wall-clock time at which it was shown; quitting is not counted), for guluspell
# (on a temporary copy of the program folder) and for a minimal Widgets
# window, median of 10 runs each, offscreen and under Xvfb.
#   bench/app/startup.sh [build-folder]
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
runs=10
home=$(mktemp -d)
. "$(dirname "$0")/../xvfb.sh"
trap 'rm -rf "$home"; stop_xvfb' EXIT
cp -r "$build/program/data" "$build/program/sound" "$home/"
# A returning player's start: the first start's welcome panel answered.
printf 'Grade=skip\r\n' >>"$home/data/spellconfig.ini"

median_ms() { # command...
  local times=()
  for _ in $(seq $runs); do
    local t0 t1
    t0=$(date +%s%N)
    t1=$("$@" 2>/dev/null | sed -n 's/.* at \([0-9]*\) ns$/\1/p')
    [ -n "$t1" ] || { echo "no start-up line from $1" >&2; exit 1; }
    times+=($(( (t1 - t0) / 1000000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'
}

report() { # label
  local game base
  game=$(GULUSPELL_HOME=$home GULUSPELL_STARTUP_TIMING=exit median_ms "$build/program/guluspell")
  base=$(median_ms "$build/bench/app/minimal_window")
  awk -v l="$1" -v g="$game" -v b="$base" 'BEGIN {printf "%-9s guluspell %5d ms   minimal window %5d ms   ratio %.2f\n", l, g, b, g/b}'
}

(unset DISPLAY; QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy report offscreen)
start_xvfb
report xvfb
