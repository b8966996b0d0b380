#!/usr/bin/env bash
# Draws every picture of the window skin with ImageMagick and writes them under
# res/: the frame pictures, twelve button pairs, OK/OK1, splash, About, the
# tree picture strip and the program icon. Needs imagemagick and fonts-dejavu-core.
# The pictures are committed; run this only to change the art.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$top/res/jpg
mkdir -p "$out"
IM=$(command -v convert-im6.q16 || command -v magick || echo /usr/bin/convert)
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
SANS=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
Q=(-quality 93 -sampling-factor 1x1)

# Palette.
DEEP='#163e52'; TEAL='#24647f'; MID='#2f7d9c'; BRIGHT='#3f9cc0'; GLOW='#5cb8da'
FRAME='#a0c4d1'; PALE='#eef5f8'; PALE2='#d6e7ee'; INK='#1b3f50'; ACCENT='#f0a23c'

# ---- frame pictures --------------------------------------------------------
"$IM" -size 740x92 -define gradient:direction=east gradient:"$DEEP"-"$MID" \
  \( -size 740x92 -define gradient:direction=south gradient:'rgba(255,255,255,0.10)'-'rgba(255,255,255,0)' \) -composite \
  -fill 'rgba(255,255,255,0.06)' -draw "circle 640,150 640,10" -draw "circle 700,-40 700,60" \
  -fill "$PALE" -stroke none -draw "roundrectangle 22,18 78,74 14,14" \
  -fill "$TEAL" -draw "roundrectangle 26,22 74,70 11,11" \
  -fill white -font "$BOLD" -pointsize 34 -gravity northwest -annotate +38+22 'S' \
  -fill "$ACCENT" -draw "polygon 60,58 70,48 72,50 62,60" \
  -fill white -font "$BOLD" -pointsize 27 -annotate +96+17 'Ormatek Sorvanda' \
  -fill '#cfe6ef' -font "$SANS" -pointsize 12 -annotate +98+56 'Finds and removes the traces your activity leaves behind' \
  -fill "$ACCENT" -draw "rectangle 0,89 740,92" \
  "${Q[@]}" "$out/Banner.jpg"

"$IM" -size 178x389 -define gradient:direction=south gradient:"$PALE"-"$PALE2" \
  -fill "$FRAME" -draw "rectangle 177,0 178,389" \
  -fill 'rgba(36,100,127,0.07)' -draw "roundrectangle 40,250 138,356 26,26" \
  -fill 'rgba(36,100,127,0.10)' -font "$BOLD" -pointsize 64 -gravity northwest -annotate +68+256 'S' \
  -fill "$INK" -font "$SANS" -pointsize 10 -annotate +22+366 'Version 2010.1.2' \
  "${Q[@]}" "$out/LeftStrip.jpg"

"$IM" -size 16x389 -define gradient:direction=south gradient:"$PALE"-"$PALE2" \
  -fill "$FRAME" -draw "rectangle 0,0 0,389" "${Q[@]}" "$out/RightStrip.jpg"

"$IM" -size 740x38 -define gradient:direction=south gradient:"$TEAL"-"$DEEP" \
  -fill "$ACCENT" -draw "rectangle 0,0 740,1" \
  -fill '#9fc7d6' -font "$SANS" -pointsize 10 -gravity northeast -annotate +18+19 'Copyright (c) 2010 Ormatek Software' \
  "${Q[@]}" "$out/BottomStrip.jpg"

# Small icons on the bottom bar, drawn over the bar's own colours.
for entry in "HelpIcon:16:?" "AboutIcon:72:i"; do
  IFS=: read -r name x glyph <<<"$entry"
  "$IM" "$out/BottomStrip.jpg" -crop 14x14+"$x"+18 +repage \
    -fill white -draw "circle 6.5,6.5 6.5,0.5" \
    -fill "$TEAL" -font "$BOLD" -pointsize 10 -gravity center -annotate +0+0 "$glyph" \
    "${Q[@]}" "$out/$name.jpg"
done

# ---- buttons ---------------------------------------------------------------
# button NAME W H CAPTION POINTSIZE BACKGROUND(x,y crop of a frame picture or 'white') ICON
rounded_button() {  # out w h caption pt bgfile bgx bgy top bottom text border
  local dst=$1 w=$2 h=$3 caption=$4 pt=$5 bg=$6 bx=$7 by=$8 c1=$9 c2=${10} text=${11} border=${12}
  local r=$(( h < 30 ? 5 : 10 ))
  if [ "$bg" = white ]; then "$IM" -size "${w}x${h}" xc:white "$tmp/bg.png"
  else "$IM" "$bg" -crop "${w}x${h}+${bx}+${by}" +repage "$tmp/bg.png"; fi
  "$IM" -size "${w}x${h}" -define gradient:direction=south gradient:"$c1"-"$c2" "$tmp/fill.png"
  "$IM" -size "${w}x${h}" xc:black -fill white -draw "roundrectangle 0,0 $((w-1)),$((h-1)) $r,$r" "$tmp/mask.png"
  "$IM" "$tmp/bg.png" "$tmp/fill.png" "$tmp/mask.png" -composite \
    -fill none -stroke "$border" -strokewidth 1 -draw "roundrectangle 0.5,0.5 $((w-1)).5,$((h-1)).5 $r,$r" \
    -stroke none -fill "$text" -font "$BOLD" -pointsize "$pt" -gravity center -annotate +0+0 "$caption" \
    "$tmp/btn.png"
  "$IM" "$tmp/btn.png" "${Q[@]}" "$dst"
}

small() {  # NAME CAPTION
  rounded_button "$out/$1.jpg" 98 22 "$2" 10 white 0 0 "$GLOW" "$BRIGHT" white "$TEAL"
  rounded_button "$out/${1}1.jpg" 98 22 "$2" 10 white 0 0 "$MID" "$TEAL" white "$DEEP"
}
small AbortBtn 'Abort'
small CleanBtn 'Clean'
small FinishBtn 'Finish'
small CheckAgainBtn 'Check again'
small ModifyBtn 'Modify'
small RemoveBtn 'Remove'
# The shred page's buttons.
small btnAdd 'Add'
small BtnAddFolder 'Add Folder'
small BtnRemove 'Remove'
small btnShred 'Shred'

# Scan Now: the big button of the Scan page, with a magnifier.
scan_now() {  # dst c1 c2 border
  rounded_button "$tmp/sn.jpg" 187 65 '' 18 white 0 0 "$2" "$3" white "$4"
  "$IM" "$tmp/sn.jpg" \
    -fill none -stroke white -strokewidth 4 -draw "circle 36,29 36,15" \
    -draw "line 46,40 56,51" -stroke none \
    -fill white -font "$BOLD" -pointsize 20 -gravity west -annotate +70-1 'Scan Now' \
    "${Q[@]}" "$1"
}
scan_now "$out/ScanNowBtn.jpg" "$GLOW" "$BRIGHT" "$TEAL"
scan_now "$out/ScanNowBtn1.jpg" "$MID" "$TEAL" "$DEEP"

# Page buttons on the left strip: normal is a pale card, highlighted is filled.
page_button() {  # NAME CAPTION Y GLYPH
  local name=$1 caption=$2 y=$3 glyph=$4
  for state in hi lo; do
    if [ $state = hi ]; then c1=$MID; c2=$TEAL; txt=white; border=$DEEP; dst=$out/$name.jpg
    else c1='#ffffff'; c2='#e6f0f4'; txt=$INK; border=$FRAME; dst=$out/${name}1.jpg; fi
    rounded_button "$tmp/pb.jpg" 153 49 '' 12 "$out/LeftStrip.jpg" 17 "$y" "$c1" "$c2" "$txt" "$border"
    # The first letter is underlined: Alt and that letter press the button.
    first=$("$IM" -font "$BOLD" -pointsize 14 label:"${caption:0:1}" -format %w info:)
    "$IM" "$tmp/pb.jpg" -fill "$txt" -font "$BOLD" -pointsize 14 -gravity west -annotate +52+0 "$caption" \
      -gravity northwest -draw "rectangle 53,31 $(( 52 + first - 2 )),32" \
      -fill none -stroke "$txt" -strokewidth 2 -draw "$glyph" -stroke none \
      "${Q[@]}" "$dst"
  done
}
page_button ScanBtn 'Scan' 0 "circle 24,22 24,14 line 30,28 36,35"
page_button ResultBtn 'Result' 53 "rectangle 16,13 36,35 line 20,19 32,19 line 20,24 32,24 line 20,29 28,29"
page_button ExcludeBtn 'Exclude' 107 "circle 26,24 26,13 line 18,32 34,16"
page_button AdvancedBtn 'Advanced' 160 "rectangle 17,17 35,34 line 15,17 37,17 line 23,13 29,13 line 23,21 23,30 line 29,21 29,30"

# Window buttons on the banner.
window_button() {  # NAME X GLYPH HICOLOR
  local name=$1 x=$2 glyph=$3 hi=$4
  "$IM" "$out/Banner.jpg" -crop 27x18+"$x"+0 +repage -fill none -stroke white -strokewidth 2 -draw "$glyph" \
    "${Q[@]}" "$out/${name}1.jpg"
  "$IM" "$out/Banner.jpg" -crop 27x18+"$x"+0 +repage -fill "$hi" -draw "rectangle 0,0 27,18" \
    -fill none -stroke white -strokewidth 2 -draw "$glyph" "${Q[@]}" "$out/$name.jpg"
}
window_button MinimizeBtn 667 "line 9,12 18,12" "$BRIGHT"
window_button CloseBtn 694 "line 9,5 18,13 line 18,5 9,13" '#c8463c'

# ---- splash and About --------------------------------------------------------
"$IM" -size 452x252 -define gradient:direction=southeast gradient:"$DEEP"-"$MID" \
  -fill 'rgba(255,255,255,0.06)' -draw "circle 420,240 420,80" \
  -fill "$PALE" -draw "roundrectangle 30,40 106,116 18,18" -fill "$TEAL" -draw "roundrectangle 35,45 101,111 15,15" \
  -fill white -font "$BOLD" -pointsize 46 -gravity northwest -annotate +52+46 'S' \
  -fill "$ACCENT" -draw "polygon 82,100 96,86 99,89 85,103" \
  -fill white -font "$BOLD" -pointsize 30 -annotate +124+46 'Ormatek' \
  -fill white -font "$BOLD" -pointsize 30 -annotate +124+82 'Sorvanda' \
  -fill '#cfe6ef' -font "$SANS" -pointsize 12 -annotate +32+146 'Finds and removes the traces your activity leaves behind:' \
  -annotate +32+164 'typed addresses, recent files, caches, cookies and histories.' \
  -fill "$ACCENT" -draw "rectangle 32,196 420,197" \
  -fill '#9fc7d6' -font "$SANS" -pointsize 10 -annotate +32+206 'Version 2010.1.2    Copyright (c) 2010 Ormatek Software' \
  -fill white -annotate +32+224 'Starting...' \
  "${Q[@]}" "$out/Splash.jpg"

"$IM" -size 493x350 xc:"$PALE" \
  \( -size 493x96 -define gradient:direction=east gradient:"$DEEP"-"$MID" \) -geometry +0+0 -composite \
  -fill "$ACCENT" -draw "rectangle 0,94 493,96" \
  -fill "$PALE" -draw "roundrectangle 24,18 82,76 14,14" -fill "$TEAL" -draw "roundrectangle 28,22 78,72 11,11" \
  -fill white -font "$BOLD" -pointsize 36 -gravity northwest -annotate +40+21 'S' \
  -fill white -font "$BOLD" -pointsize 24 -annotate +100+22 'Ormatek Sorvanda' \
  -fill '#cfe6ef' -font "$SANS" -pointsize 12 -annotate +102+58 'Version 2010.1.2' \
  -fill "$INK" -font "$SANS" -pointsize 12 \
  -annotate +30+118 'Ormatek Sorvanda finds and removes the traces that your' \
  -annotate +30+136 'activity leaves behind on this computer: typed addresses,' \
  -annotate +30+154 'most-recently-used lists, the Run history, Recent files,' \
  -annotate +30+172 'browser caches, cookies and histories, and the recycle bin.' \
  -annotate +30+198 'Exclusions keep what you want to keep; the shredder' \
  -annotate +30+216 'overwrites files before it deletes them.' \
  -fill "$FRAME" -draw "rectangle 30,290 463,290" \
  -fill '#56788a' -font "$SANS" -pointsize 10 -annotate +30+300 'Copyright (c) 2010 Ormatek Software. All rights reserved.' \
  -annotate +30+316 'Uses the Independent JPEG Group'"'"'s software.' \
  "${Q[@]}" "$out/About.jpg"
rounded_button "$out/OK.jpg" 95 25 'OK' 11 "$out/About.jpg" 331 249 "$GLOW" "$BRIGHT" white "$TEAL"
rounded_button "$out/OK1.jpg" 95 25 'OK' 11 "$out/About.jpg" 331 249 "$MID" "$TEAL" white "$DEEP"

# ---- tree pictures: 18 pictures of 16 x 16, magenta is transparent -----------
T=$tmp/tree; mkdir -p "$T"
blank() { "$IM" -size 16x16 xc:'#ff00ff' +antialias "$@"; }
blank -fill "$TEAL" -draw "roundrectangle 1,2 14,11 2,2" -fill "$PALE" -draw "rectangle 3,4 12,9" \
  -fill "$TEAL" -draw "rectangle 6,12 9,13" -draw "rectangle 4,14 11,14" "$T/00.png"
blank -fill '#2a7fd4' -draw "circle 7.5,7.5 7.5,1" -fill none -stroke white -strokewidth 1 \
  -draw "ellipse 7.5,7.5 3,6.5 0,360" -draw "line 1,7.5 14,7.5" -stroke none -fill "$ACCENT" -draw "rectangle 10,1 14,3" "$T/01.png"
blank -fill "$MID" -draw "rectangle 1,2 14,13" -fill white -draw "rectangle 2,5 13,12" \
  -fill "$ACCENT" -draw "rectangle 4,7 7,10" -fill "$FRAME" -draw "rectangle 9,7 11,10" "$T/02.png"
blank -fill '#6b7f8a' -draw "circle 7.5,7.5 7.5,1" -fill '#ff00ff' -draw "circle 7.5,7.5 7.5,5" \
  -fill '#6b7f8a' -draw "rectangle 6,0 9,15" -draw "rectangle 0,6 15,9" -fill '#ff00ff' -draw "circle 7.5,7.5 7.5,5.5" \
  -fill '#6b7f8a' -draw "circle 7.5,7.5 7.5,6" -fill white -draw "circle 7.5,7.5 7.5,5.8" "$T/03.png"
blank -fill "$BRIGHT" -draw "circle 7.5,7.5 7.5,1" -fill white -draw "polygon 4,7 11,7 7.5,12" -draw "rectangle 6,3 9,7" "$T/04.png"
blank -fill white -stroke "$TEAL" -draw "rectangle 3,1 12,14" -stroke none -fill "$FRAME" \
  -draw "rectangle 5,4 10,4" -draw "rectangle 5,7 10,7" -draw "rectangle 5,10 9,10" "$T/05.png"
blank -fill white -stroke "$TEAL" -draw "roundrectangle 1,1 14,14 2,2" -stroke '#1f8f4e' -strokewidth 2 \
  -fill none -draw "polyline 4,8 7,11 12,4" "$T/06.png"
blank -fill white -stroke "$TEAL" -draw "roundrectangle 1,1 14,14 2,2" "$T/07.png"
for f in 0 1 2 3 4 5 6; do
  a=$(( f * 360 / 7 ))
  blank -fill none -stroke "$FRAME" -strokewidth 2 -draw "circle 7.5,7.5 7.5,2" \
    -stroke "$ACCENT" -draw "arc 2,2 13,13 $a,$(( a + 120 ))" "$T/$(printf %02d $(( f + 8 )))".png
done
# 15: today's browsers, a browser window with its address bar.
blank -fill "$MID" -draw "roundrectangle 0,2 15,14 2,2" -fill white -draw "rectangle 1,6 14,13" \
  -fill "$PALE2" -draw "roundrectangle 3,3 12,4 1,1" -fill "$ACCENT" -draw "circle 4.5,9.5 4.5,7.5" \
  -fill "$FRAME" -draw "rectangle 8,8 12,8" -draw "rectangle 8,11 12,11" "$T/15.png"
# 16: today's Windows, four panes.
blank -fill "$BRIGHT" -draw "rectangle 1,1 6,6" -draw "rectangle 9,1 14,6" -draw "rectangle 1,9 6,14" \
  -draw "rectangle 9,9 14,14" "$T/16.png"
# 17: partly ticked, the empty box with a green square.
blank -fill white -stroke "$TEAL" -draw "roundrectangle 1,1 14,14 2,2" -stroke none -fill '#1f8f4e' \
  -draw "rectangle 5,5 10,10" "$T/17.png"
"$IM" "$T"/*.png +append -type TrueColor BMP3:"$top/res/tree_images.bmp"

# ---- program icon -------------------------------------------------------------
for s in 16 32 48; do
  "$IM" -size ${s}x${s} xc:none -fill "$TEAL" -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((s/5)),$((s/5))" \
    -fill white -font "$BOLD" -pointsize $(( s * 3 / 4 )) -gravity center -annotate +0+0 'S' "$tmp/icon$s.png"
done
"$IM" "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$top/res/sorvanda.ico"
echo "skin written to $out"
