#!/bin/sh
# Installs to a temporary prefix, makes the installation read-only, and plays
# a word there with a fresh home: the settings and "UseRecord.txt" must land
# in the user's data folder, with the game saved, and nothing in the install;
# the copies there are the player's to write, read-only as the install is.
#   test_installed_program.sh <cmake> <build-folder> <probe>
set -u
cmake=$1 build=$2 probe=$3
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "install failed"; exit 1; }
program=$prefix/lib/guluspell
[ -x "$program/guluspell" ] && [ -L "$prefix/bin/guluspell" ] || { echo "no program in the install"; exit 1; }
for f in data/spellconfig.ini data/guluspell.mdb data/ECDICT-LICENSE.txt sound/back.mp3 help/index.html \
         ../../share/applications/org.example.guluspell.desktop ../../share/icons/hicolor/scalable/apps/guluspell.svg; do
  [ -e "$program/$f" ] || { echo "missing from the install: $f"; exit 1; }
done
cp "$probe" "$program/"
chmod -R a-w "$prefix"

out=$(env -u GULUSPELL_HOME -u XDG_DATA_HOME HOME="$tmp/home" "$program/$(basename "$probe")" 2>&1)
rc=$?
echo "$out"
[ "$rc" -eq 0 ] || { echo "the probe failed ($rc)"; exit 1; }
data=$tmp/home/.local/share/guluspell
echo "$out" | grep -q "^DATA $data/\$" || { echo "did not use the user's data folder"; exit 1; }
grep -q 'TollGateIndex=1' "$data/data/spellconfig.ini" && grep -q 'Level=1' "$data/data/spellconfig.ini" \
  || { echo "settings not saved in the data folder"; exit 1; }
grep -q 'lib109' "$data/UseRecord.txt" || { echo "no recent game in the data folder"; exit 1; }
[ -s "$data/data/guluspell.mdb" ] || { echo "no word library in the data folder"; exit 1; }
for f in data/spellconfig.ini data/guluspell.mdb; do
  case $(stat -c %A "$data/$f") in
    ??w*) ;;
    *) echo "the copy $f is not writable by its owner: $(stat -c %A "$data/$f")"; exit 1 ;;
  esac
done
[ ! -e "$program/UseRecord.txt" ] || { echo "wrote into the install"; exit 1; }
echo "installed program ok"
