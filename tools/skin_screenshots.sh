#!/bin/sh
# Takes a screenshot of the real main window in each of the six interface
# styles, for the README:
#
#   tools/skin_screenshots.sh [program folder] [output folder]
#
# defaults: build/program and docs/skins. Each run starts the program under
# Xvfb on a temporary copy of its data folder whose settings name the skin in
# "DefaultUI" (the program applies it at start), and saves <output>/<skin>.png.
#
# --qss as the first argument hands the sheet to Qt's own -stylesheet option
# instead: a preview for a program that does not yet apply "DefaultUI" (the
# palette part of a skin is then missing).
set -eu

qss=no
if [ "${1:-}" = "--qss" ]; then qss=yes; shift; fi
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(cd "${1:-$root/build/program}" && pwd)
out=${2:-$root/docs/skins}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "skin_screenshots: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done

for skin in WLM Acryl MacOS2 Blue Opus Winter; do
  home=$(mktemp -d)
  mkdir -p "$home/data"
  cp "$program/data/spellconfig.ini" "$home/data/"
  # The library is only read while the window shows: a link spares a copy.
  for file in "$program"/data/*.mdb; do ln -s "$file" "$home/data/"; done
  [ -d "$program/sound" ] && ln -s "$program/sound" "$home/sound"
  [ -d "$program/help" ] && ln -s "$program/help" "$home/help"
  # The settings file is GBK with CRLF line ends; the key and its value are ASCII.
  sed -i "s/^DefaultUI=[^\r]*/DefaultUI=$skin/" "$home/data/spellconfig.ini"
  set -- "$program/guluspell"
  if [ "$qss" = yes ]; then
    lower=$(echo "$skin" | tr 'A-Z' 'a-z')
    set -- "$@" -stylesheet "$root/resources/skins/$lower.qss"
  fi
  echo "== $skin"
  GULUSPELL_HOME=$home SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
      shot=$1; shift
      "$@" & pid=$!
      wid=$(timeout 30 xdotool search --sync --onlyvisible --classname guluspell | head -n 1)
      sleep 1.5 # the first paint of the board and the title strip
      import -window "$wid" "$shot"
      kill "$pid"; wait "$pid" 2>/dev/null || true' sh "$out/$skin.png" "$@"
  rm -rf "$home"
done
echo "Screenshots in $out"
