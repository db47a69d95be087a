#!/bin/sh
# Run inside an X server (xvfb-run): presses "开始游戏" and spells the first
# word by clicking its tiles with the real pointer; the probe exits 0 once the
# score label has changed.
probe="$1"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$probe" >"$out" &
pid=$!
for i in $(seq 150); do
  grep -q '^TILES' "$out" && break
  sleep 0.1
done
start=$(grep '^START' "$out")
tiles=$(grep '^TILES' "$out" | cut -d' ' -f2-)
if [ -z "$tiles" ]; then
  echo "the probe never showed its window"; cat "$out"; kill "$pid" 2>/dev/null; exit 1
fi
set -- $start
xdotool mousemove "$2" "$3" click 1
sleep 0.3
for tile in $tiles; do
  x=${tile%,*}; y=${tile#*,}
  xdotool mousemove "$x" "$y"
  sleep 0.1
  xdotool mousemove "$((x + 1))" "$y"
  sleep 0.1
  xdotool click 1
  sleep 0.1
done
wait "$pid"
rc=$?
cat "$out"
[ "$rc" -eq 0 ] && grep -q '^SCORE 100$' "$out"
