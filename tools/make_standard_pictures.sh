#!/bin/sh
# Draws the pictures that the delivered appearance sets name (bullets, link
# buttons, item navigation, separators, basket buttons, background tiles and
# basket headings) into package/files/standard with ImageMagick. The results
# are committed, so the build never needs this.
set -e

OUT=${1:-$(dirname "$0")/../package/files/standard}
mkdir -p "$OUT"
cd "$OUT"

SANS=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
SERIF=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
PNG="-depth 8 -define png:exclude-chunks=date,time"

# button FILE WIDTH HEIGHT PAGE-COLOUR TOP BOTTOM BORDER TEXT-COLOUR TEXT
# A rounded, softly shaded button with its caption, on the colour of the
# page it sits on (so the corners blend in without transparency).
button() {
  w=$2; h=$3
  convert -size "${w}x${h}" xc:"$4" \
    \( -size "${w}x${h}" gradient:"$5"-"$6" \
       \( -size "${w}x${h}" xc:black -fill white \
          -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 6,6" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose over -composite \
    -fill none -stroke "$7" -strokewidth 1 \
    -draw "roundrectangle 0.5,0.5 $((w - 2)).5,$((h - 2)).5 6,6" \
    -stroke none -fill "$8" -font "$SANS" -pointsize 11 -gravity center \
    -annotate +0+0 "$9" $PNG "$1"
}

# arrow_button FILE PAGE TOP BOTTOM BORDER TEXT-COLOUR TEXT DIRECTION(l|r)
arrow_button() {
  if [ "$8" = l ]; then
    arrow="polygon 8,12 15,7 15,17"; at=+7+0
  else
    arrow="polygon 64,12 57,7 57,17"; at=-7+0
  fi
  button "$1" 72 24 "$2" "$3" "$4" "$5" "$6" ''
  convert "$1" -fill "$6" -draw "$arrow" -font "$SANS" -pointsize 11 \
    -gravity center -annotate "$at" "$7" $PNG "$1"
}

# ball FILE PAGE LIGHT DARK: a round bullet with a highlight.
ball() {
  convert -size 14x14 xc:"$2" \
    \( -size 14x14 radial-gradient:"$3"-"$4" -roll -2-2 \
       \( -size 14x14 xc:black -fill white -draw "circle 6.5,6.5 6.5,0.5" \) \
       -alpha off -compose CopyOpacity -composite \) \
    -compose over -composite $PNG "$1"
}

# folder FILE PAGE BODY TAB EDGE: a small folder for sub-index lines.
folder() {
  convert -size 16x14 xc:"$2" \
    -fill "$4" -stroke "$5" -draw "polygon 1,3 6,3 8,5 8,6 1,6" \
    -fill "$3" -draw "rectangle 1,5 14,12" \
    -stroke none -fill '#ffffff60' -draw "line 2,6 13,6" $PNG "$1"
}

# basket_heading FILE PAGE INK ACCENT: the banner over the basket.
basket_heading() {
  convert -size 240x40 xc:"$2" \
    -fill none -stroke "$3" -strokewidth 2 -draw "arc 10,4 36,28 180,360" \
    -stroke none -fill "$4" -draw "polygon 6,16 40,16 35,34 11,34" \
    -stroke "$2" -strokewidth 1 -draw "line 17,19 19,31" -draw "line 23,19 23,31" \
    -draw "line 29,19 27,31" \
    -stroke none -fill "$3" -font "$SERIF" -pointsize 18 -annotate +50+27 'Your basket' \
    -fill "$4" -draw "rectangle 50,33 230,34" $PNG "$1"
}

# Classic Blue: GIF bullets and buttons with rollover variants.
ball bullet_blue.gif '#eef3fa' '#9cc0ec' '#1f4f8f'
ball bullet_blue_ro.gif '#eef3fa' '#ffe08a' '#d0841c'
folder folder_blue.gif '#eef3fa' '#4f7fbf' '#7fa6d8' '#1f4f8f'
folder folder_blue_ro.gif '#eef3fa' '#e0a030' '#f0c870' '#9a6410'
button home_blue.gif 80 24 '#eef3fa' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Home'
button home_blue_ro.gif 80 24 '#eef3fa' '#f0c870' '#d0841c' '#9a6410' '#1a1a1a' 'Home'
arrow_button back_blue.gif '#eef3fa' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Back' l
arrow_button back_blue_ro.gif '#eef3fa' '#f0c870' '#d0841c' '#9a6410' '#1a1a1a' 'Back' l
button basketlink_blue.gif 80 24 '#eef3fa' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Basket'
button basketlink_blue_ro.gif 80 24 '#eef3fa' '#f0c870' '#d0841c' '#9a6410' '#1a1a1a' 'Basket'
arrow_button prev_blue.gif '#ffffff' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Prev' l
arrow_button next_blue.gif '#ffffff' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Next' r
button calc_blue.gif 100 24 '#ffffff' '#dde7f3' '#b5c9e4' '#1f4f8f' '#123a6e' 'Calculate'
button add_blue.gif 110 24 '#ffffff' '#4f7fbf' '#1f4f8f' '#123a6e' white 'Add to basket'
button update_blue.gif 110 24 '#ffffff' '#f0c870' '#d0841c' '#9a6410' '#1a1a1a' 'Update basket'
convert -size 8x300 gradient:'#ffffff'-'#1f4f8f' \( +clone -flip \) -append \
  -rotate 90 -resize 300x6! $PNG sep_blue.gif
basket_heading basket_blue.gif '#ffffff' '#003366' '#4f7fbf'

# Garden Green: no link images, but picture buttons and a leafy tile.
arrow_button prev_green.gif '#fbfdf6' '#7fb069' '#4a7c3a' '#2f5a24' white 'Prev' l
arrow_button next_green.gif '#fbfdf6' '#7fb069' '#4a7c3a' '#2f5a24' white 'Next' r
button calc_green.gif 100 24 '#fbfdf6' '#e6f0d6' '#c8dcae' '#4a7c3a' '#2f5a24' 'Calculate'
button add_green.gif 110 24 '#fbfdf6' '#7fb069' '#4a7c3a' '#2f5a24' white 'Add to basket'
button update_green.gif 110 24 '#fbfdf6' '#e8b04a' '#c07a1a' '#8a5210' white 'Update basket'
convert -size 300x14 xc:'#fbfdf6' \
  -stroke '#4a7c3a' -strokewidth 2 -fill none -draw "path 'M 10,7 Q 80,1 150,7 Q 220,13 290,7'" \
  -stroke none -fill '#7fb069' \
  -draw "translate 150,7 rotate -20 ellipse 0,0 8,3 0,360" \
  -draw "translate 90,4 rotate 25 ellipse 0,0 7,3 0,360" \
  -draw "translate 210,10 rotate 25 ellipse 0,0 7,3 0,360" \
  -fill '#c0244a' -draw "circle 150,7 150,9" $PNG sep_green.gif
convert -size 80x80 xc:'#eef5e4' \
  -fill '#e6f0d8' \
  -draw "translate 20,22 rotate -35 ellipse 0,0 12,5 0,360" \
  -draw "translate 58,56 rotate 30 ellipse 0,0 12,5 0,360" \
  -fill '#e9f2de' -draw "translate 60,16 rotate 60 ellipse 0,0 8,3 0,360" \
  -draw "translate 18,62 rotate -70 ellipse 0,0 8,3 0,360" $PNG tile_leaf.gif
basket_heading basket_green.gif '#fbfdf6' '#2f5a24' '#7fb069'

# Warm Sand: background tiles (seamless: the blur wraps around the tile).
convert -size 96x96 xc:gray50 -seed 11 -attenuate 1.5 +noise Gaussian -colorspace gray \
  -virtual-pixel tile -blur 0x0.8 -auto-level -colorspace sRGB -type TrueColor +level-colors '#e2d0aa','#f0e4c6' \
  -quality 85 tile_sand.jpg
convert -size 128x128 xc:gray50 -seed 12 -attenuate 1.5 +noise Gaussian -colorspace gray \
  -virtual-pixel tile -motion-blur 0x6+20 -auto-level -colorspace sRGB -type TrueColor +level-colors '#f7f0e0','#fdf9ef' \
  -quality 85 tile_paper.jpg
basket_heading basket_sand.gif '#fbf6ea' '#5b3a22' '#c0863a'

# Night Slate: PNG bullets and link buttons without rollovers.
ball bullet_slate.png '#2b323b' '#f0d890' '#b08a30'
folder folder_slate.png '#2b323b' '#8aa0b8' '#b8c8d8' '#dde6ee'
button home_slate.png 80 24 '#2b323b' '#56606c' '#3a424c' '#8a96a4' '#f0d890' 'Home'
arrow_button back_slate.png '#2b323b' '#56606c' '#3a424c' '#8a96a4' '#f0d890' 'Back' l
button basketlink_slate.png 80 24 '#2b323b' '#56606c' '#3a424c' '#8a96a4' '#f0d890' 'Basket'
arrow_button prev_slate.png '#f4f5f7' '#56606c' '#3a424c' '#2b323b' '#f0d890' 'Prev' l
arrow_button next_slate.png '#f4f5f7' '#56606c' '#3a424c' '#2b323b' '#f0d890' 'Next' r
