#!/bin/sh
# Draws the window's logo strip (300 x 71) and the application icons from the
# report's logo with ImageMagick. Run it again after changing either:
#   sh app/resources/make_images.sh
set -eu
cd "$(dirname "$0")"
logo=../../report/logo/logo.png

convert -size 300x71 xc:none \( "$logo" -transparent white \) -geometry +4+7 -composite \
    -font Liberation-Sans-Bold -pointsize 31 -fill '#343a46' -annotate +84+38 'Tessarin' \
    -font Liberation-Sans -pointsize 14 -fill '#285fae' -annotate +86+59 'EDID viewer' \
    -depth 8 -strip logo_strip.png

for size in 64 128; do
    convert "$logo" -transparent white -background none -gravity center -extent 67x67 \
        -resize "${size}x${size}" -strip "tessarin-$size.png"
done
