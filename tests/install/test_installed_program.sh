#!/bin/sh
# Installs the program, makes the installation read-only, starts the
# installed executable once, and plays a word there with a fresh home: the
# settings and "UseRecord.txt" must land in the user's data folder, with the
# game saved, and nothing in the install; the copies there are the player's
# to write, read-only as the install is.
#   test_installed_program.sh <probe> cmake <cmake> <build-folder>   over `cmake --install`
#   test_installed_program.sh <probe> deb <package.deb>               over `dpkg -x` of the package
# Run as root, the program runs as "nobody": root writes into a read-only
# install and would hide a program that does.
set -u
probe=$1 how=$2
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
case $how in
  cmake) prefix=$tmp/prefix
         "$3" --install "$4" --prefix "$prefix" >/dev/null || { echo "install failed"; exit 1; } ;;
  deb)   [ -s "$3" ] || { echo "no package $3"; exit 1; }
         dpkg -x "$3" "$tmp/root" || { echo "dpkg -x failed"; exit 1; }
         prefix=$tmp/root/usr ;;
  *) echo "usage: $0 <probe> cmake|deb ..."; exit 2 ;;
esac
program=$prefix/lib/guluspell
[ -x "$program/guluspell" ] && [ -L "$prefix/bin/guluspell" ] || { echo "no program in the install"; exit 1; }
for f in data/spellconfig.ini data/guluspell.mdb data/ECDICT-LICENSE.txt sound/back.mp3 help/index.html \
         libguluspell_audio.so \
         ../../share/applications/org.example.guluspell.desktop ../../share/icons/hicolor/scalable/apps/guluspell.svg; do
  [ -e "$program/$f" ] || { echo "missing from the install: $f"; exit 1; }
done
if [ "$how" = deb ]; then
  for f in share/doc/guluspell/copyright share/doc/guluspell/changelog.gz share/metainfo/org.example.guluspell.metainfo.xml; do
    [ -e "$prefix/$f" ] || { echo "missing from the package: $f"; exit 1; }
  done
fi
cp "$probe" "$program/"
chmod -R a-w "$prefix"

home=$tmp/home
mkdir "$home"
as_player=
if [ "$(id -u)" -eq 0 ]; then
  if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
    chown nobody "$home"
    as_player="setpriv --reuid=nobody --regid=$(id -g nobody) --clear-groups"
  else
    echo "running as root: no ordinary user to run the program as"
  fi
fi
run() { env -u GULUSPELL_HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" $as_player "$@"; }

# The installed executable itself, stripped and with its sound module, up to its first window.
out=$(GULUSPELL_STARTUP_TIMING=exit run "$prefix/bin/guluspell" 2>&1)
rc=$?
echo "$out" | grep -q 'main window shown' || { echo "$out"; echo "the installed program did not start ($rc)"; exit 1; }

out=$(run "$program/$(basename "$probe")" 2>&1)
rc=$?
echo "$out"
[ "$rc" -eq 0 ] || { echo "the probe failed ($rc)"; exit 1; }
data=$home/.local/share/guluspell
echo "$out" | grep -q "^DATA $data/\$" || { echo "did not use the user's data folder"; exit 1; }
grep -q 'TollGateIndex=1' "$data/data/spellconfig.ini" && grep -q 'Level=1' "$data/data/spellconfig.ini" \
  || { echo "settings not saved in the data folder"; exit 1; }
grep -q 'lib109' "$data/UseRecord.txt" || { echo "no recent game in the data folder"; exit 1; }
[ -s "$data/data/guluspell.mdb" ] || { echo "no word library in the data folder"; exit 1; }
for f in data/spellconfig.ini data/guluspell.mdb UseRecord.txt; do
  case $(stat -c %A "$data/$f") in
    ??w*) ;;
    *) echo "the copy $f is not writable by its owner: $(stat -c %A "$data/$f")"; exit 1 ;;
  esac
  [ -z "$as_player" ] || [ "$(stat -c %U "$data/$f")" = nobody ] || { echo "$f does not belong to the player"; exit 1; }
done
[ ! -e "$program/UseRecord.txt" ] || { echo "wrote into the install"; exit 1; }
echo "installed program ok"
