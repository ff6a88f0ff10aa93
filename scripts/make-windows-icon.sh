#!/usr/bin/env bash
# Regenerates assets/viduzirivo.ico, the Windows program icon, with 16, 32, 48 and 256 pixel images. Each size
# comes from the best picture in assets/: viduzirivo.svg when there is one, else viduzirivo-<size>.png, else the
# 32 x 32 icon (scripts/make-icon.sh) scaled. Needs ImageMagick, and rsvg-convert (librsvg2-bin) for the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

images=()
for size in 16 32 48 256; do
    image=$workdir/$size.png
    if [ -f assets/viduzirivo.svg ]; then
        rsvg-convert -w "$size" -h "$size" assets/viduzirivo.svg -o "$image"
    elif [ -f "assets/viduzirivo-$size.png" ]; then
        cp "assets/viduzirivo-$size.png" "$image"
    elif [ "$size" -eq 256 ]; then
        # Eight times the drawn pixels: keep them square and sharp rather than blurred.
        convert assets/viduzirivo.png -filter point -resize 256x256 "$image"
    else
        convert assets/viduzirivo.png -resize "${size}x${size}" "$image"
    fi
    images+=("PNG32:$image")
done
convert "${images[@]}" assets/viduzirivo.ico
identify assets/viduzirivo.ico
