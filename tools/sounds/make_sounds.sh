#!/usr/bin/env bash
# Makes the game's sound files in resources/sound from synth.py. Needs
# python3, lame and sox (sox only for the report): apt-get install lame sox.
# The mp3 files are committed, so the build never runs this.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here/../../resources/sound}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/synth.py" "$work"

# LAME writes its gapless tag, so decoders that honour it (mpg123) drop the
# encoder's padding and the music loops without a gap.
lame --quiet -q 2 -b 112 "$work/back.wav" "$out/back.mp3"
for name in select unselect oksel wrong; do
  lame --quiet -q 2 -b 96 "$work/$name.wav" "$out/$name.mp3"
done

for name in back select unselect oksel wrong; do
  f=$out/$name.mp3
  printf '%-9s %6.2f s  ' "$name" "$(soxi -D "$f")"
  sox "$f" -n stats 2>&1 | awk '/Pk lev dB/ {printf "peak %s dB  ", $4} /RMS lev dB/ {printf "rms %s dB\n", $4}'
done
