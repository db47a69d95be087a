#!/bin/sh
# Renders the mascot icon (guluspell.svg) to the PNG sizes of the hicolor icon
# theme, and the help page's picture. Run after changing the SVG and commit
# the PNGs:  resources/icons/render_icons.sh
# Needs ImageMagick (tools/setup.sh installs it); its own SVG reader knows
# flat fills only, so the SVG uses no gradients.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$here/hicolor/${size}x${size}"
  convert -background none -density 384 "$here/guluspell.svg" -resize "${size}x${size}" \
          -strip "PNG32:$here/hicolor/${size}x${size}/guluspell.png"
done
cp "$here/hicolor/128x128/guluspell.png" "$here/../help/mascot.png"
