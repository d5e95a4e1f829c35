#!/bin/sh
# Renders artwork.svg into the three background JPEGs that tarvex.rc embeds.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick 6; set CONVERT to pick
# a particular convert binary.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
convert=${CONVERT:-convert}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # name width height
    # The smaller sizes are rendered from the vector source rather than
    # resampled from main.jpg, so they stay sharp.
    rsvg-convert -w "$2" -h "$3" -o "$tmp/$1.png" "$here/artwork.svg"
    # Baseline, no metadata: the program decodes these with the stock
    # Windows loaders, which need nothing more than plain sRGB JFIF.
    "$convert" "$tmp/$1.png" -background '#EFE3C4' -alpha remove -alpha off \
        -colorspace sRGB -type TrueColor -strip -interlace none \
        -sampling-factor 4:4:4 -quality 90 "$here/$1.jpg"
}

render main 700 501
render help 550 394
render about 380 273
