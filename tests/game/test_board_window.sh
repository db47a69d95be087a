#!/bin/sh
# Run inside an X server (xvfb-run): moves the real pointer onto the board's
# first tile and clicks it; the probe exits 0 once the tile is picked.
probe="$1"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$probe" probe >"$out" &
pid=$!
for i in $(seq 100); do
  grep -q '^TILE' "$out" && break
  sleep 0.1
done
set -- $(grep '^TILE' "$out")
if [ "$#" -ne 3 ]; then
  echo "the probe never showed its window"; kill "$pid" 2>/dev/null; exit 1
fi
x=$2; y=$3
xdotool mousemove "$x" "$y"
sleep 0.2
xdotool mousemove "$((x + 1))" "$y"
sleep 0.2
xdotool click 1
wait "$pid"
rc=$?
cat "$out"
[ "$rc" -eq 0 ] && grep -q '^PICKED' "$out"
