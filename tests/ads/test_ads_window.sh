#!/bin/sh
# Run inside an X server (xvfb-run): clicks the status-bar ad's title with the
# real pointer once the probe says where it is; the probe checks that its
# address was opened and that the pop-up came at the lower right.
probe="$1"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$probe" >"$out" &
pid=$!
for i in $(seq 200); do
  grep -q '^LABEL' "$out" && break
  sleep 0.1
done
set -- $(grep '^LABEL' "$out")
if [ -z "${2:-}" ]; then
  echo "the status-bar ad never showed"; kill "$pid" 2>/dev/null; wait "$pid"; cat "$out"; exit 1
fi
xdotool mousemove "$2" "$3"
sleep 0.2
xdotool mousemove "$(($2 + 1))" "$3" click 1
wait "$pid"
rc=$?
cat "$out"
exit "$rc"
