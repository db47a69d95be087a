#!/usr/bin/env bash
# Memory after start: guluspell (on a temporary copy of the program folder,
# sound through SDL's dummy driver) and a minimal Widgets window, each read
# 2 s after its window was first shown, on one X server (Xvfb, or the one
# in DISPLAY when set). Resident is Rss, private is Anonymous (the heap and
# every other anonymous mapping) from /proc/<pid>/smaps_rollup; median of
# 3 runs each, in kB.
#   bench/app/memory.sh [build-folder]
set -euo pipefail
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
runs=3
settle=2
home=$(mktemp -d)
out=$(mktemp)
. "$(dirname "$0")/../xvfb.sh"
trap 'rm -rf "$home" "$out"; stop_xvfb' EXIT
cp -r "$build/program/data" "$build/program/sound" "$home/"
# A returning player's start: the first start's welcome panel answered.
printf 'Grade=skip\r\n' >>"$home/data/spellconfig.ini"
[ -n "${DISPLAY:-}" ] || start_xvfb

# One run: "<rss> <anonymous>" of the command, read once it has shown its window.
measure() { # command...
  "$@" >"$out" 2>/dev/null &
  local pid=$! waited=0
  until grep -q ' shown ' "$out" 2>/dev/null; do
    sleep 0.1
    waited=$((waited + 1))
    if [ $waited -gt 300 ] || ! kill -0 $pid 2>/dev/null; then
      kill $pid 2>/dev/null || true
      echo "no window from $1" >&2
      return 1
    fi
  done
  sleep $settle
  awk '/^Rss:/ {r = $2} /^Anonymous:/ {a = $2} END {print r, a}' /proc/$pid/smaps_rollup
  kill $pid
  wait $pid 2>/dev/null || true
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

report() { # label command...
  local label=$1 samples=()
  shift
  for _ in $(seq $runs); do samples+=("$(measure "$@")"); done
  local rss anon
  rss=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f1 | median)
  anon=$(printf '%s\n' "${samples[@]}" | cut -d' ' -f2 | median)
  printf '%-15s resident %7d kB   private %7d kB\n' "$label" "$rss" "$anon"
}

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
GULUSPELL_HOME=$home GULUSPELL_STARTUP_TIMING=1 report guluspell "$build/program/guluspell"
report minimal_window "$build/bench/app/minimal_window" --stay
