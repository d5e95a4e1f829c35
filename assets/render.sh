#!/bin/sh
# Renders the car of artwork.svg into car.bmp, which tarvex.rc embeds: the program draws
# the band and the sand itself, at every density, and lays the car over them.
# Needs rsvg-convert (librsvg2-bin), ImageMagick 6 and python3; set CONVERT to pick a
# particular convert binary.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
convert=${CONVERT:-convert}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The car alone, on nothing: the background rectangles left out.
sed '/<rect width="700" height="501"/d; /<rect y="55"/d; /<rect width="700" height="55"/d; /<rect y="53"/d' \
    "$here/artwork.svg" >"$tmp/car.svg"
rsvg-convert -w 700 -h 501 -o "$tmp/car.png" "$tmp/car.svg"
# The place in the artwork must match kCar in design/artwork.cpp.
"$convert" "$tmp/car.png" -crop 244x116+452+26 +repage -depth 8 rgba:"$tmp/car.rgba"

# A top-down 32-bit DIB with premultiplied alpha, ready to blend: BITMAP resources are
# DIBs without the file header, which windres strips.
python3 - "$tmp/car.rgba" "$here/car.bmp" <<'PY'
import struct, sys
width, height = 244, 116
rgba = open(sys.argv[1], 'rb').read()
assert len(rgba) == width * height * 4
pixels = bytearray()
for i in range(0, len(rgba), 4):
    r, g, b, a = rgba[i:i + 4]
    pixels += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
info = struct.pack('<IiiHHIIiiII', 40, width, -height, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
open(sys.argv[2], 'wb').write(header + info + pixels)
PY
