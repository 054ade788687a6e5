#!/bin/sh
# Renders the window's bitmaps from tessarin.svg with rsvg-convert (Debian:
# librsvg2-bin): the icons, and the logo the window's strip shows at 1x and
# 2x (the strip's texts are drawn by the window in its palette's colours).
# Run it again after changing the picture:
#   sh app/resources/make_images.sh
set -eu
cd "$(dirname "$0")"

for size in 64 128 256; do
    rsvg-convert -w "$size" -h "$size" tessarin.svg -o "tessarin-$size.png"
done
# The logo alone, 67 x 58 as in the report.
sed 's/viewBox="0 -4.5 67 67"/viewBox="0 0 67 58"/' tessarin.svg > logo.svg.tmp
rsvg-convert -w 67 -h 58 logo.svg.tmp -o logo.png
rsvg-convert -w 134 -h 116 logo.svg.tmp -o logo@2x.png
rm logo.svg.tmp
