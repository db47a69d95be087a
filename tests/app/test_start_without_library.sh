#!/bin/sh
# Run inside an X server (xvfb-run). When its word library cannot be opened
# (missing, empty, random bytes, held by another program's exclusive lock),
# the program shows one message box, "提示信息", before any other window, and
# ends with 1 once the player closes it; a missing library is not created. A
# settings file without "data=" opens the shipped library.
exe="$1"
shipped=$(dirname "$exe")/data/guluspell.mdb
home=$(mktemp -d)
trap 'exec 3>&-; rm -rf "$home"' EXIT
mkdir -p "$home/data"

# Starts the program, closes the first window it shows with Return and
# checks that this window was the message box and that the program then ended.
expect_message() { # case
  GULUSPELL_HOME="$home" "$exe" >"$home/out" 2>&1 &
  pid=$!
  win=
  for i in $(seq 300); do
    # The X server is this test's own: any window on it is the program's.
    win=$(xdotool search --onlyvisible --name . 2>/dev/null | head -1)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$win" ]; then
    kill "$pid" 2>/dev/null
    echo "$1: no window was shown"; cat "$home/out"; return 1
  fi
  name=$(xdotool getwindowname "$win")
  xdotool windowfocus --sync "$win" key Return
  wait "$pid"
  rc=$?
  [ "$name" = "提示信息" ] || { echo "$1: the first window is \"$name\", not the message box"; return 1; }
  [ "$rc" -eq 1 ] || { echo "$1: exit code $rc, expected 1"; cat "$home/out"; return 1; }
  grep -q 'cannot open the word library' "$home/out" || { echo "$1: no line on stderr"; cat "$home/out"; return 1; }
}

printf '[system]\r\ndata=gulu\r\n' > "$home/data/spellconfig.ini"
expect_message missing || exit 1
[ ! -e "$home/data/gulu.mdb" ] || { echo "a missing library was created"; exit 1; }
: > "$home/data/gulu.mdb"
expect_message empty || exit 1
head -c 4096 /dev/urandom > "$home/data/gulu.mdb"
expect_message junk || exit 1
if command -v sqlcipher >/dev/null 2>&1; then
  cp "$shipped" "$home/data/gulu.mdb"
  # Another program in the middle of a write, with a rollback journal so that
  # its exclusive lock keeps readers out; it lets go when its input closes.
  mkfifo "$home/to-holder"
  sqlcipher "$home/data/gulu.mdb" <"$home/to-holder" >/dev/null 2>&1 &
  exec 3>"$home/to-holder"
  printf "PRAGMA key='MOSS@1987#fern';\nPRAGMA journal_mode=DELETE;\nBEGIN EXCLUSIVE;\n" >&3
  sleep 0.5
  expect_message busy || exit 1
  grep -q 'locked' "$home/out" || { echo "busy: not told as a lock"; cat "$home/out"; exit 1; }
  exec 3>&-
  wait
fi

rm -f "$home/data/gulu.mdb"
cp "$shipped" "$home/data/guluspell.mdb"
printf '[system]\r\nGrade=skip\r\n' > "$home/data/spellconfig.ini"
GULUSPELL_HOME="$home" GULUSPELL_STARTUP_TIMING=exit timeout 60 "$exe" >"$home/out" 2>&1
rc=$?
[ "$rc" -eq 0 ] && grep -q 'main window shown' "$home/out" \
  || { echo "no data key: exit code $rc, expected the shipped library to open"; cat "$home/out"; exit 1; }
echo "ok"
