#!/bin/sh
# Draws the pictures of the example shop (package/files/example) with
# ImageMagick. The results are committed, so the build never needs this;
# run it again only after changing a picture here.
set -e

OUT=${1:-$(dirname "$0")/../package/files/example}
mkdir -p "$OUT"
cd "$OUT"

SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
SERIF=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
# A light grain keeps flat colours from looking like clip art (and keeps
# the pictures deterministic: the noise is seeded).
GRAIN="-seed 7 -attenuate 0.25 +noise Gaussian"
# PNGs stay smooth: a palette of 256, and no time stamps so a rerun is
# byte for byte the same.
PNG="-depth 8 -colors 256 -define png:exclude-chunks=date,time"

# coffee_bag FILE LABEL-COLOUR BEAN-COLOUR TITLE
coffee_bag() {
  convert -size 200x200 gradient:'#fbf3e4'-'#e6d2b2' \
    -fill '#00000030' -draw "ellipse 100,184 72,9 0,360" \
    -fill '#b48c5c' -stroke '#7a5a34' -strokewidth 2 \
    -draw "polygon 46,34 154,34 166,180 34,180" \
    -fill '#9c7748' -draw "polygon 46,34 154,34 150,52 50,52" \
    -stroke none -fill '#ffffff30' -draw "polygon 58,56 70,56 62,176 48,176" \
    -fill "$2" -draw "roundrectangle 56,76 144,154 8,8" \
    -fill "$3" -draw "ellipse 100,104 13,18 0,360" \
    -stroke "$2" -strokewidth 3 -fill none -draw "path 'M 100,88 Q 92,104 100,120'" \
    -stroke none -fill white -font "$SANS" -pointsize 13 -gravity center \
    -annotate +0+36 "$4" \
    $GRAIN -quality 85 "$1"
}

# tea_tin FILE TIN-COLOUR LID-COLOUR LEAF-COLOUR TITLE
tea_tin() {
  convert -size 200x200 gradient:'#f4f8ee'-'#d9e4cc' \
    -fill '#00000030' -draw "ellipse 100,176 50,8 0,360" \
    -fill "$2" -draw "rectangle 58,62 142,170" -draw "ellipse 100,170 42,8 0,360" \
    -fill "$3" -draw "rectangle 56,50 144,78" -draw "ellipse 100,50 44,9 0,360" \
    -fill '#ffffff50' -draw "ellipse 100,49 40,6 0,360" \
    -fill '#fffbf0' -draw "roundrectangle 68,92 132,150 6,6" \
    -fill "$4" -draw "path 'M 84,136 Q 94,100 118,104 Q 114,136 84,136 Z'" \
    -stroke '#fffbf0' -strokewidth 2 -fill none -draw "path 'M 88,132 Q 100,118 114,108'" \
    -stroke none -fill '#ffffff38' -draw "rectangle 66,80 74,166" \
    -fill '#3a4a2a' -font "$SERIF" -pointsize 14 -gravity north -annotate +0+10 "$5" \
    $PNG "$1"
}

# The herbal infusions sit three to a row, so their pictures stay small.
# herb_flower FILE BACKGROUND PETAL CENTRE
herb_flower() {
  convert -size 140x140 radial-gradient:'#fffdf6'-"$2" \
    -fill "$3" \
    -draw "ellipse 70,42 12,24 0,360" -draw "ellipse 70,98 12,24 0,360" \
    -draw "ellipse 42,70 24,12 0,360" -draw "ellipse 98,70 24,12 0,360" \
    -draw "translate 70,70 rotate 45 ellipse 0,-28 10,22 0,360" \
    -draw "translate 70,70 rotate -45 ellipse 0,-28 10,22 0,360" \
    -draw "translate 70,70 rotate 135 ellipse 0,-28 10,22 0,360" \
    -draw "translate 70,70 rotate -135 ellipse 0,-28 10,22 0,360" \
    -fill "$4" -draw "circle 70,70 70,84" \
    -resize 104x104 $GRAIN -colors 64 "$1"
}

# herb_leaves FILE BACKGROUND LEAF VEIN
herb_leaves() {
  convert -size 140x140 radial-gradient:'#fffdf6'-"$2" \
    -fill "$3" \
    -draw "translate 70,74 rotate -30 path 'M 0,40 Q -30,0 0,-46 Q 30,0 0,40 Z'" \
    -draw "translate 70,74 rotate 35 path 'M 0,40 Q -24,4 0,-36 Q 24,4 0,40 Z'" \
    -stroke "$4" -strokewidth 2 -fill none \
    -draw "translate 70,74 rotate -30 line 0,36 0,-40" \
    -draw "translate 70,74 rotate 35 line 0,36 0,-30" \
    -resize 104x104 $GRAIN -colors 64 "$1"
}

# Shop banner, narrow enough for the index frame.
convert -size 180x72 gradient:'#5b3a22'-'#2e1c10' \
  -fill '#f4e3c8' -draw "roundrectangle 12,30 40,56 5,5" \
  -fill none -stroke '#f4e3c8' -strokewidth 3 -draw "arc 34,35 48,50 270,90" \
  -stroke '#f4e3c8' -strokewidth 2 \
  -draw "path 'M 21,25 Q 17,19 21,13'" -draw "path 'M 30,25 Q 26,17 30,9'" \
  -stroke none -fill '#f4e3c8' -draw "rectangle 8,58 48,61" \
  -font "$SERIF" -pointsize 16 -fill '#f4e3c8' -annotate +56+36 'Lantern Lane' \
  -font "$SANS" -pointsize 7 -fill '#d9a45b' -annotate +57+52 'TEA  &  COFFEE  MERCHANTS' \
  $GRAIN -colors 128 logo.gif

coffee_bag kenya.jpg '#2f6f4e' '#4a2c17' 'KENYA'
coffee_bag colombia.jpg '#c2452d' '#4a2c17' 'COLOMBIA'
coffee_bag ethiopia.jpg '#d29a2a' '#4a2c17' 'ETHIOPIA'
coffee_bag sumatra.jpg '#3b4f7a' '#4a2c17' 'SUMATRA'
coffee_bag breakfast.jpg '#e07b39' '#5a361c' 'BREAKFAST'
coffee_bag espresso.jpg '#2b2b2b' '#8a5a30' 'ESPRESSO'
coffee_bag afterdinner.jpg '#6b2d4f' '#4a2c17' 'AFTER DINNER'

tea_tin assam.png '#8c2f1e' '#5e1f14' '#7a4a1e' 'Assam'
tea_tin darjeeling.png '#c98a2b' '#8f5e17' '#6f8f3a' 'Darjeeling'
tea_tin earlgrey.png '#3c5a8c' '#263b5e' '#5a78b0' 'Earl Grey'
tea_tin sencha.png '#5f8f3a' '#3f6526' '#6fae3a' 'Sencha'
tea_tin gunpowder.png '#4d5a4a' '#2f382d' '#5f8f3a' 'Gunpowder'
tea_tin silverneedle.png '#b8b8b0' '#85857d' '#a8b890' 'Silver Needle'

# Decaf: a cup and saucer.
convert -size 200x200 gradient:'#f7efe6'-'#e3d3c0' \
  -fill '#00000028' -draw "ellipse 100,164 78,12 0,360" \
  -fill '#ffffff' -stroke '#b9a58e' -strokewidth 2 -draw "ellipse 100,156 74,14 0,360" \
  -draw "path 'M 52,84 L 148,84 Q 146,150 100,152 Q 54,150 52,84 Z'" \
  -fill none -strokewidth 7 -stroke '#ffffff' -draw "arc 134,94 172,128 270,90" \
  -strokewidth 2 -stroke '#b9a58e' -draw "arc 130,90 176,132 270,90" \
  -stroke none -fill '#6b3f22' -draw "ellipse 100,86 46,7 0,360" \
  -fill none -stroke '#c8b8a6' -strokewidth 3 \
  -draw "path 'M 84,70 Q 76,56 84,42 Q 92,28 84,16'" -draw "path 'M 112,70 Q 104,56 112,42 Q 120,28 112,16'" \
  -stroke none -fill '#2f6f4e' -font "$SANS" -pointsize 16 -gravity center -annotate +0+18 'DECAF' \
  $PNG decaf.png

# Tasting collection: a box of four pouches.
convert -size 220x160 gradient:'#fbf6ec'-'#e9dcc6' \
  -fill '#00000028' -draw "ellipse 110,146 96,8 0,360" \
  -fill '#8a5a30' -draw "rectangle 14,70 206,142" \
  -fill '#a8733f' -draw "polygon 14,70 206,70 196,60 24,60" \
  -fill '#8c2f1e' -draw "roundrectangle 28,30 62,112 5,5" \
  -fill '#c98a2b' -draw "roundrectangle 72,24 106,112 5,5" \
  -fill '#3c5a8c' -draw "roundrectangle 116,30 150,112 5,5" \
  -fill '#5f8f3a' -draw "roundrectangle 160,24 194,112 5,5" \
  -fill '#fffbf0' -draw "rectangle 32,50 58,66" -draw "rectangle 76,44 102,60" \
  -draw "rectangle 120,50 146,66" -draw "rectangle 164,44 190,60" \
  -fill '#7a5a34' -draw "rectangle 14,96 206,142" \
  -fill '#f4e3c8' -font "$SERIF" -pointsize 15 -gravity south -annotate +0+24 'Tasting collection' \
  $GRAIN -colors 96 sampler.gif

herb_flower chamomile.gif '#e6eec0' '#ffffff' '#f0c020'
herb_leaves peppermint.gif '#cfe8d0' '#3f9a55' '#d8f0da'
herb_leaves rooibos.gif '#f0d8c0' '#a0461e' '#f3c9a8'
herb_flower hibiscus.gif '#f6d0d8' '#c0244a' '#f6e070'
herb_leaves lemongrass.gif '#eef0c0' '#9aae2a' '#f4f8c8'
# Ginger: knobbly root pieces.
convert -size 140x140 radial-gradient:'#fffdf6'-'#f1e2c0' \
  -fill '#c99a55' -stroke '#8a6430' -strokewidth 2 \
  -draw "ellipse 60,80 34,16 0,360" -draw "ellipse 88,62 14,22 0,360" \
  -draw "ellipse 40,62 12,18 0,360" -draw "ellipse 94,92 20,12 0,360" \
  -stroke none -fill '#f3dfa8' -draw "circle 110,40 110,52" \
  -resize 104x104 $GRAIN -colors 64 ginger.gif

# Hand grinder, drawn large and shrunk for the page.
convert -size 300x300 gradient:'#f6efe4'-'#dccab0' \
  -fill '#00000030' -draw "ellipse 150,272 96,12 0,360" \
  -fill '#a8743e' -stroke '#6e4a22' -strokewidth 3 -draw "rectangle 80,140 220,266" \
  -fill '#c08a50' -draw "rectangle 80,140 220,160" \
  -fill '#6e4a22' -draw "rectangle 138,210 162,214" -fill '#3a2614' -draw "circle 150,240 150,246" \
  -fill '#b8b8b8' -stroke '#707070' -draw "path 'M 96,140 L 110,96 L 190,96 L 204,140 Z'" \
  -fill '#9a9a9a' -draw "ellipse 150,96 40,8 0,360" \
  -fill '#808080' -draw "rectangle 146,56 154,96" \
  -strokewidth 8 -stroke '#707070' -draw "line 150,60 236,44" \
  -stroke '#3a2614' -strokewidth 2 -fill '#5a3a1e' -draw "roundrectangle 228,20 244,56 6,6" \
  -stroke none -fill '#ffffff40' -draw "rectangle 90,164 100,258" \
  $GRAIN -quality 88 grinder_l.jpg
convert grinder_l.jpg -resize 150x150 -quality 95 grinder_s.jpg

# Glass cafetiere.
convert -size 200x200 gradient:'#eef4f6'-'#cfdde2' \
  -fill '#00000028' -draw "ellipse 100,180 60,8 0,360" \
  -fill '#e4f2f8' -stroke '#8aa4b0' -strokewidth 2 -draw "rectangle 62,50 138,174" \
  -stroke none -fill '#4a2c17' -draw "rectangle 64,90 136,172" \
  -fill '#c89a6a' -draw "rectangle 64,84 136,92" \
  -stroke '#606a70' -strokewidth 4 -fill none -draw "rectangle 58,60 142,170" \
  -draw "arc 128,80 172,150 270,90" \
  -stroke none -fill '#606a70' -draw "rectangle 56,40 144,50" -draw "rectangle 97,20 103,40" \
  -fill '#2b2b2b' -draw "circle 100,18 100,26" -draw "polygon 56,44 44,52 56,52" \
  -fill '#ffffff60' -draw "rectangle 70,56 76,168" \
  $PNG cafetiere.png

# Stoneware teapot.
convert -size 200x200 gradient:'#f4f1ea'-'#dcd6c8' \
  -fill '#00000030' -draw "ellipse 100,172 70,9 0,360" \
  -fill none -stroke '#1f5f63' -strokewidth 10 -draw "arc 128,74 178,138 270,90" \
  -stroke none -fill '#2a7a7f' -draw "path 'M 62,120 Q 40,110 30,78 L 40,74 Q 52,98 70,104 Z'" \
  -draw "ellipse 100,120 52,46 0,360" \
  -fill '#1f5f63' -draw "ellipse 100,80 30,8 0,360" -draw "circle 100,66 100,74" \
  -fill '#ffffff40' -draw "ellipse 76,110 10,22 0,360" \
  $PNG teapot.png

# A pair of bowls.
convert -size 200x160 gradient:'#fbf4ea'-'#e7d8c4' \
  -fill '#00000028' -draw "ellipse 100,144 90,8 0,360" \
  -fill '#f0e6d2' -stroke '#b08a5a' -strokewidth 2 \
  -draw "path 'M 14,80 L 98,80 Q 96,138 56,140 Q 16,138 14,80 Z'" \
  -draw "path 'M 102,80 L 186,80 Q 184,138 144,140 Q 104,138 102,80 Z'" \
  -fill '#c89a6a' -draw "ellipse 56,80 42,6 0,360" -draw "ellipse 144,80 42,6 0,360" \
  -stroke none -fill '#2f6f8f' -draw "rectangle 18,96 95,102" -draw "rectangle 106,96 183,102" \
  -fill none -stroke '#c8b8a6' -strokewidth 3 \
  -draw "path 'M 56,66 Q 48,52 56,38 Q 64,24 56,12'" -draw "path 'M 144,66 Q 136,52 144,38 Q 152,24 144,12'" \
  $PNG bowls.png

# Espresso machine.
convert -size 220x200 gradient:'#eceae6'-'#c9c4bc' \
  -fill '#00000030' -draw "ellipse 110,184 90,8 0,360" \
  -fill '#b03a2e' -stroke '#6e2018' -strokewidth 2 -draw "roundrectangle 30,30 190,180 10,10" \
  -fill '#d0d0d0' -stroke '#808080' -draw "rectangle 30,30 190,52" \
  -fill '#404040' -draw "rectangle 44,80 176,100" \
  -fill '#909090' -draw "rectangle 96,100 124,118" -draw "rectangle 120,106 160,112" \
  -fill '#ffffff' -stroke '#909090' -draw "path 'M 94,140 L 126,140 L 122,170 L 98,170 Z'" \
  -fill '#d0d0d0' -stroke '#808080' -draw "rectangle 40,170 180,176" \
  -stroke none -fill '#f0f0f0' -draw "circle 60,66 60,72" -draw "circle 160,66 160,72" \
  -fill '#ffffff30' -draw "rectangle 38,56 46,166" \
  $GRAIN -quality 85 espresso_machine.jpg

# Shop roaster: a drum on legs with a hopper.
convert -size 220x200 gradient:'#f3ece2'-'#d6c8b4' \
  -fill '#00000030' -draw "ellipse 110,186 92,8 0,360" \
  -stroke '#303030' -strokewidth 6 -draw "line 50,120 40,182" -draw "line 170,120 180,182" \
  -stroke '#202020' -strokewidth 2 -fill '#2f3f4f' -draw "roundrectangle 30,70 190,140 30,30" \
  -fill '#c08a3a' -draw "circle 54,105 54,127" \
  -fill '#5a3a1e' -draw "circle 54,105 54,113" \
  -fill '#b8b8b8' -draw "polygon 120,70 160,70 176,26 104,26" \
  -fill '#909090' -draw "rectangle 100,20 180,28" \
  -fill '#d0d0d0' -draw "rectangle 150,150 200,160" \
  -stroke none -fill '#ffffff30' -draw "rectangle 80,78 180,86" \
  $GRAIN -colors 96 roaster.gif

# Gift voucher.
convert -size 220x150 gradient:'#fbf6ec'-'#eadcc2' \
  -fill '#00000028' -draw "roundrectangle 22,26 206,138 10,10" \
  -fill '#fffdf6' -stroke '#b08a5a' -strokewidth 2 -draw "roundrectangle 14,16 198,128 10,10" \
  -stroke none -fill '#c2452d' -draw "rectangle 150,16 166,128" -draw "rectangle 14,96 198,108" \
  -draw "ellipse 146,94 14,8 0,360" -draw "ellipse 170,94 14,8 0,360" \
  -fill '#5b3a22' -font "$SERIF" -pointsize 30 -annotate +34+66 '25.00' \
  -font "$SANS" -pointsize 11 -fill '#8a6430' -annotate +36+86 'GIFT VOUCHER' \
  $GRAIN -colors 96 voucher.gif
