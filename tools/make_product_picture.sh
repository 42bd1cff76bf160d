#!/usr/bin/env bash
# Renders the version dialog's product picture (app/win32/ProductPicture.jpg): the product's
# title over a generated background of hexadecimal rows. Needs ImageMagick and the DejaVu fonts.
# The output is committed; run again only to change the picture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/app/win32/ProductPicture.jpg"

# Faint rows of hexadecimal bytes, as the editor shows them, from a fixed seed.
rows=""
seed=20261209
for r in $(seq 0 15); do
  line=$(printf '%08X ' $((r * 16)))
  for c in $(seq 0 15); do
    seed=$(( (seed * 1103515245 + 12345) % 2147483648 ))
    line+=$(printf ' %02X' $(( (seed >> 16) & 255 )))
  done
  rows+="$line"$'\n'
done

convert -size 408x264 gradient:'#0d1b3a-#1f4e79' \
  \( -size 408x264 xc:none -font DejaVu-Sans-Mono -pointsize 11 -fill '#ffffff22' \
     -annotate +10+20 "$rows" \) -composite \
  -fill '#ffffff18' -draw 'rectangle 0,150 408,152' \
  -font DejaVu-Sans-Bold -pointsize 52 -fill '#00000080' -annotate +34+124 'Orvanta' \
  -fill '#f2f6ff' -annotate +30+120 'Orvanta' \
  -font DejaVu-Sans -pointsize 16 -fill '#bcd4f6' -annotate +34+176 'Binary File Editor for Windows' \
  -strip -sampling-factor 4:2:0 -quality 88 "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
