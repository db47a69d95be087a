# Sourced by the benchmark scripts: start_xvfb starts an X server on a free
# display (Xvfb picks it, so scripts run side by side do not collide), sets
# DISPLAY and xvfb_pid; stop_xvfb ends it.
start_xvfb() {
  local fifo_dir
  fifo_dir=$(mktemp -d)
  mkfifo "$fifo_dir/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo_dir/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 10 number <"$fifo_dir/display" || true
  rm -rf "$fifo_dir"
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
  return 0
}
