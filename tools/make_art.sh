#!/usr/bin/env bash
# Regenerates the program's two pictures in resources/:
#   mx.ico      - the 32x32, 256-colour application icon
#   advert.bmp  - the 800x600 advert for the help manual shown by the program
# Needs only ImageMagick, fonts-dejavu and python3. The output is the same,
# byte for byte, on every run: fixed random seed, no metadata, and the final
# BMP/ICO bytes are written by make_art.py rather than by ImageMagick.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/../resources"
fonts=/usr/share/fonts/truetype/dejavu
bold="$fonts/DejaVuSans-Bold.ttf"
narrow="$fonts/DejaVuSansCondensed-Bold.ttf"
im=/usr/bin/convert                 # the real ImageMagick, not a stand-in
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

# ---- icon: "MX" above a yellow ruler on a blue rounded tile -------------
ticks=""
for x in $(seq 4 3 28); do
    len=3; (( (x - 4) % 6 == 0 )) && len=5    # every other tick is longer
    ticks+="line $x,21 $x,$((20 + len)) "
done
"$im" -size 32x32 xc:none \
    -fill '#0b2e6b' -draw 'roundrectangle 0,0 31,31 6,6' \
    -fill '#1f5fc4' -draw 'roundrectangle 1,1 30,30 5,5' \
    -fill white -font "$bold" -pointsize 14 -gravity North -annotate +0+1 'MX' \
    -gravity NorthWest -fill '#ffd21f' -stroke '#7a5a00' -draw 'rectangle 2,20 29,28' \
    -stroke '#202020' -draw "$ticks" \
    -channel A -threshold 50% +channel +dither -colors 255 \
    -depth 8 -strip "PAM:$tmp/icon.pam"
python3 "$here/make_art.py" ico "$tmp/icon.pam" "$out/mx.ico"

# ---- advert: red, yellow-outlined capitals over a ring galaxy -----------
python3 "$here/make_art.py" galaxy "$tmp/galaxy.ppm"

# One list of lines (font, size, top edge, words) drawn three times: a blurred
# black shadow so the words stand out from the bright galaxy, a yellow
# outline, then the red letters. The strip y=540..580 around the middle is
# left empty for the ORDER MANUAL button the program puts on top. Every line,
# outline included, keeps 50 pixels clear on either side: a box up to 100
# pixels narrower than the picture (as another system font makes it) cuts
# the picture evenly on both sides, and so cuts no words.
text=(-gravity North
  -font "$narrow" -pointsize 18
  -annotate +0+14  'MEASURE EVERYTHING FROM THE SMALLEST PARTICLES TO THE LARGEST'
  -annotate +0+40  'GALAXIES IN KILOGRAMS, METRES, DEGREES CELSIUS AND MORE'
  -font "$bold" -pointsize 42
  -annotate +0+84  'WELCOME TO MENSURIX 1.0'
  -pointsize 30
  -annotate +0+142 '— MORE THAN 600 CONVERSIONS —'
  -font "$narrow" -pointsize 21
  -annotate +0+318 'THE MENSURIX HELP MANUAL (MXHELP.EXE) — ONLY US$19.95'
  -pointsize 20
  -annotate +0+360 'HELP PAGES, A GLOSSARY OF UNIT TERMS AND THE TABLE'
  -annotate +0+386 'OF MULTIPLIERS USED BY EVERY CONVERSION'
  -annotate +0+424 'MANUALS FOR FUTURE VERSIONS INCLUDED FREE OF CHARGE'
  -annotate +0+498 'CLICK ORDER MANUAL TO BUY OR PRESS THE ESC KEY TO DISMISS')
layer=(-size 800x600 xc:none)
"$im" "$tmp/galaxy.ppm" \
    \( "${layer[@]}" -fill black -stroke black -strokewidth 6 "${text[@]}" \
       -blur 0x3 -channel A -evaluate multiply 0.75 +channel \) -composite \
    \( "${layer[@]}" -fill yellow -stroke yellow -strokewidth 4 "${text[@]}" \) -composite \
    \( "${layer[@]}" -fill red -stroke none "${text[@]}" \) -composite \
    -depth 8 -strip "PPM:$tmp/advert.ppm"
python3 "$here/make_art.py" bmp "$tmp/advert.ppm" "$out/advert.bmp"

echo "wrote $out/mx.ico and $out/advert.bmp"
