#!/bin/sh
# The program ends at once, without a window or a message box, when its word
# library cannot be opened: missing, empty, or not a database. A missing
# library is not created.
exe="$1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data"
printf '[system]\r\ndata=gulu\r\n' > "$home/data/spellconfig.ini"

for case in missing empty junk; do
  [ "$case" = empty ] && : > "$home/data/gulu.mdb"
  [ "$case" = junk ] && head -c 4096 /dev/urandom > "$home/data/gulu.mdb"
  out=$(GULUSPELL_HOME="$home" timeout 20 "$exe" 2>&1)
  rc=$?
  if [ "$rc" -ne 1 ]; then echo "$case: exit code $rc, expected 1"; echo "$out"; exit 1; fi
  echo "$out" | grep -q 'cannot open the word library' || { echo "$case: no explanation on stderr"; echo "$out"; exit 1; }
done
rm -f "$home/data/gulu.mdb"
GULUSPELL_HOME="$home" timeout 20 "$exe" >/dev/null 2>&1
[ ! -e "$home/data/gulu.mdb" ] || { echo "a missing library was created"; exit 1; }
echo "ok"
