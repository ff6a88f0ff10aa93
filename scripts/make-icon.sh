#!/usr/bin/env bash
# Regenerates the program's icons in assets/: viduzirivo.png, the 32 x 32, 16-colour icon of a small clock
# that the window shows; viduzirivo-<size>.png, the same clock at the sizes desktops ask for, rendered from
# the hand-drawn viduzirivo.svg.
# Needs ImageMagick and rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../assets"
convert -size 32x32 xc:none \
    -fill '#2060c0' -stroke '#103060' -strokewidth 1 -draw 'circle 15.5,15.5 15.5,1' \
    -fill '#c0c0c0' -stroke '#808080' -draw 'circle 15.5,15.5 15.5,4' \
    -stroke '#303030' -strokewidth 2 \
    -draw 'line 15.5,5.5 15.5,8' -draw 'line 25.5,15.5 23,15.5' \
    -draw 'line 15.5,25.5 15.5,23' -draw 'line 5.5,15.5 8,15.5' \
    -stroke '#20c000' -strokewidth 2 -draw 'line 15.5,15.5 21,11' \
    -stroke '#0040c0' -strokewidth 2 -draw 'line 15.5,15.5 15.5,6.5' \
    -stroke '#b03000' -strokewidth 1 -draw 'line 15.5,15.5 10,22' \
    -stroke none -fill '#a08020' -draw 'circle 15.5,15.5 15.5,13.5' \
    -colors 16 PNG8:viduzirivo.png
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" viduzirivo.svg | convert - -strip "viduzirivo-$size.png"
done
echo "assets/viduzirivo.png and viduzirivo-{48,64,128,256}.png written; scripts/make-windows-icon.sh makes the .ico"
