#!/usr/bin/env bash
# Regenerates assets/Earth.RAS, the globe's 512 x 512 raw red-green-blue image, from NASA's Visible Earth
# picture that Debian ships in xplanet-images (earth.jpg: 2048 x 1024, longitude across, latitude down).
#
# The globe maps image columns to the angle from the north pole (column 0 at the top pole) and image rows
# round the back of the shell, from its +X edge (row 0) to its -X edge. Seen from outside, that runs west to
# east, so we take the half of the Earth from 90 W to 90 E, scale it to 512 x 512 and transpose it.
set -euo pipefail
cd "$(dirname "$0")/.."
source_image=${1:-/usr/share/xplanet/images/earth.jpg}
convert "$source_image" -crop 1024x1024+512+0 +repage -resize 512x512! -transpose \
    -depth 8 rgb:assets/Earth.RAS
test "$(stat -c %s assets/Earth.RAS)" -eq 786432
echo "assets/Earth.RAS written from $source_image"
