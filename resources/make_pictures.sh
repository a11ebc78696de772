#!/usr/bin/env bash
# Draws Harvoline's built-in pictures with ImageMagick 6 (convert).
#
#   resources/make_pictures.sh            writes the PNGs next to this script
#   resources/make_pictures.sh OUTDIR     writes them to OUTDIR
#
# Everything is drawn from geometric primitives (no fonts, no random numbers,
# no outside files), and the PNGs carry no time stamps, so every run gives the
# same bytes on the same ImageMagick version.
#
#   background.png      800x566  window background
#   player1..4.png      170x230  default player pictures
#   icon.png            33x33    program icon
#   menu0..6.png        32x32    popup menu icons (transparent)
#   grip.png            16x16    window size grip (transparent)
#   mask1..4.png        161x161  cover masks: white, one black triangle each
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here}"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

command -v convert >/dev/null || { echo "ImageMagick (convert) is needed" >&2; exit 1; }

# PNG output without time chunks or comments, best compression.
PNGOPT=(-strip -define png:exclude-chunks=date,time -define png:compression-level=9)

# ---------------------------------------------------------------------------
# Drawing helpers: each prints MVG drawing commands on stdout.

# note X Y SCALE COLOUR : an eighth note, head centre at X,Y (head 14 wide,
# stem 34 high at scale 1).
note() {
  cat <<EOF
push graphic-context
  translate $1,$2
  scale $3,$3
  fill $4
  stroke none
  push graphic-context
    rotate -22
    ellipse 0,0 7.5,5.2 0,360
  pop graphic-context
  rectangle 5,-34 7.4,-1
  path 'M 5,-34 C 8,-25 19,-22 15,-8 C 17,-18 11,-22 7.4,-24 Z'
pop graphic-context
EOF
}

# notes2 X Y SCALE COLOUR : two beamed eighth notes, first head at X,Y.
notes2() {
  cat <<EOF
push graphic-context
  translate $1,$2
  scale $3,$3
  fill $4
  stroke none
  push graphic-context
    rotate -22
    ellipse 0,0 7.5,5.2 0,360
  pop graphic-context
  push graphic-context
    translate 24,-4
    rotate -22
    ellipse 0,0 7.5,5.2 0,360
  pop graphic-context
  rectangle 5,-34 7.4,-1
  rectangle 29,-38 31.4,-5
  polygon 5,-34 31.4,-38.5 31.4,-31.5 5,-27
pop graphic-context
EOF
}

# curve "X0,Y0 X1,Y1 X2,Y2 X3,Y3 [X4,Y4 X5,Y5 X6,Y6 ...]" : an open stroked
# line along joined cubic Bezier segments, as a polyline (ImageMagick closes
# some open paths when stroking them). Round joins: ImageMagick 6 fails on
# some thick mitred polylines.
curve() {
  echo "$1" | awk '{
    for (k = 1; k <= NF; k++) { split($k, p, ","); x[k - 1] = p[1]; y[k - 1] = p[2] }
    s = "polyline"
    for (seg = 0; seg + 3 < NF; seg += 3)
      for (t = (seg == 0 ? 0 : 1); t <= 24; t++) {
        u = t / 24; v = 1 - u
        a = v * v * v; b = 3 * v * v * u; c = 3 * v * u * u; d = u * u * u
        s = s sprintf(" %.2f,%.2f",
          a * x[seg] + b * x[seg + 1] + c * x[seg + 2] + d * x[seg + 3],
          a * y[seg] + b * y[seg + 1] + c * y[seg + 2] + d * y[seg + 3])
      }
    print "push graphic-context\nstroke-linejoin round\n" s "\npop graphic-context"
  }'
}

# star CX CY R COLOUR : five-pointed star, outer radius R.
star() {
  local cx=$1 cy=$2 r=$3 col=$4
  awk -v cx="$cx" -v cy="$cy" -v r="$r" -v col="$col" 'BEGIN {
    pi = atan2(0, -1); s = ""
    for (k = 0; k < 10; k++) {
      rr = (k % 2 == 0) ? r : r * 0.42
      a = -pi / 2 + k * pi / 5
      s = s sprintf(" %.2f,%.2f", cx + rr * cos(a), cy + rr * sin(a))
    }
    printf "fill %s\nstroke none\npolygon%s\n", col, s
  }'
}

# sunburst CX CY N LEN COLOUR : N alternate wedges round CX,CY.
sunburst() {
  awk -v cx="$1" -v cy="$2" -v n="$3" -v len="$4" -v col="$5" 'BEGIN {
    pi = atan2(0, -1)
    printf "fill %s\nstroke none\n", col
    for (k = 0; k < n; k++) {
      a1 = 2 * pi * (2 * k) / (2 * n); a2 = 2 * pi * (2 * k + 1) / (2 * n)
      printf "polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f\n", cx, cy,
        cx + len * cos(a1), cy + len * sin(a1), cx + len * cos(a2), cy + len * sin(a2)
    }
  }'
}

# ---------------------------------------------------------------------------
# background.png (800x566): dark blue to purple, stage lights on the right,
# a faint stave with notes in the lower half. The upper left, where the
# answer lines are written, stays plain. The window lays a light strip of its
# own behind the status row, so the picture needs none.

W=800 H=566

# Base: four-corner gradient, navy at the top left, purple at the bottom right.
convert -size ${W}x${H} xc: -sparse-color Bilinear \
  "0,0 #070926  $((W-1)),0 #120e3a  0,$((H-1)) #1b0b38  $((W-1)),$((H-1)) #2a0b44" \
  "$tmp/bg_base.png"

# Soft glows, drawn at quarter size, blurred and enlarged (smooth and quick).
convert -size 200x142 xc:none \
  -draw "fill rgba(150,40,190,0.55) circle 150,128 150,70" \
  -draw "fill rgba(40,70,200,0.45) circle 30,135 30,95" \
  -draw "fill rgba(120,60,210,0.30) circle 196,20 196,-10" \
  -draw "fill rgba(60,70,170,0.22) ellipse 100,0 60,22 0,360" \
  -channel RGBA -blur 0x16 +channel \
  -resize ${W}x${H}! "$tmp/bg_glow.png"

# Two stage light beams from the top right corner.
convert -size ${W}x${H} xc:none \
  -draw "fill rgba(255,235,255,0.085) polygon 790,-10 812,-10 700,566 548,566" \
  -draw "fill rgba(200,220,255,0.060) polygon 716,-10 734,-10 470,566 350,566" \
  -channel RGBA -blur 0x9 +channel "$tmp/bg_beams.png"

# Light pools where the beams meet the floor.
convert -size ${W}x${H} xc:none \
  -draw "fill rgba(255,220,255,0.10) ellipse 624,560 110,26 0,360" \
  -draw "fill rgba(210,225,255,0.08) ellipse 410,562 95,22 0,360" \
  -channel RGBA -blur 0x12 +channel "$tmp/bg_pools.png"

# Bokeh: soft discs and thin rings, mostly at the right and at the bottom.
{
  echo "stroke none"
  while read -r x y r c; do
    echo "fill $c"; echo "circle $x,$y $x,$((y + r))"
  done <<'EOF'
752 58 16 rgba(255,170,255,0.10)
728 140 9 rgba(170,200,255,0.12)
780 186 22 rgba(210,140,255,0.08)
690 16 7 rgba(255,255,255,0.08)
70 300 26 rgba(120,150,255,0.07)
250 420 34 rgba(200,120,255,0.06)
520 300 20 rgba(255,160,230,0.07)
760 330 28 rgba(160,190,255,0.07)
120 520 22 rgba(255,200,255,0.06)
610 470 40 rgba(190,120,255,0.06)
420 520 16 rgba(255,255,255,0.06)
330 290 10 rgba(255,220,150,0.08)
EOF
  echo "fill none"
  while read -r x y r c; do
    echo "stroke $c"; echo "stroke-width 1.5"; echo "circle $x,$y $x,$((y + r))"
  done <<'EOF'
712 92 12 rgba(255,255,255,0.10)
784 118 8 rgba(255,220,120,0.12)
170 360 18 rgba(255,255,255,0.07)
680 380 24 rgba(255,255,255,0.06)
460 400 12 rgba(255,220,120,0.08)
EOF
} > "$tmp/bg_bokeh.mvg"
convert -size ${W}x${H} xc:none -draw "$(<"$tmp/bg_bokeh.mvg")" \
  -channel RGBA -blur 0x1.2 +channel "$tmp/bg_bokeh.png"

# A wavy five-line stave across the lower half, with notes sitting on it.
{
  echo "fill none"
  echo "stroke rgba(210,190,255,0.10)"
  echo "stroke-width 1.6"
  for k in 0 1 2 3 4; do
    o=$((k * 11))
    curve "-20,$((330 + o)) 180,$((262 + o)) 330,$((420 + o)) 520,$((350 + o)) 710,$((280 + o)) 760,$((276 + o)) 830,$((300 + o))"
  done
  note 96 334 1.1 "rgba(230,210,255,0.16)"
  notes2 210 340 1.0 "rgba(230,210,255,0.14)"
  note 372 383 1.2 "rgba(230,210,255,0.15)"
  notes2 545 360 1.1 "rgba(230,210,255,0.15)"
  note 700 318 1.0 "rgba(230,210,255,0.14)"
  # Notes drifting up at the right edge, away from the answer lines.
  notes2 722 80 1.05 "rgba(240,215,255,0.20)"
  note 768 160 0.9 "rgba(240,215,255,0.17)"
  note 748 226 0.7 "rgba(240,215,255,0.12)"
  # A few more near the floor.
  note 40 470 1.3 "rgba(230,210,255,0.10)"
  notes2 300 500 1.2 "rgba(230,210,255,0.09)"
  note 470 470 0.9 "rgba(230,210,255,0.10)"
  note 760 500 1.2 "rgba(230,210,255,0.10)"
} > "$tmp/bg_music.mvg"
convert -size ${W}x${H} xc:none -draw "$(<"$tmp/bg_music.mvg")" "$tmp/bg_music.png"

# Gentle vignette: darker edges.
convert -size ${W}x${H} radial-gradient:'rgba(0,0,0,0)'-'rgba(0,0,0,0.45)' \
  "$tmp/bg_vignette.png"

convert "$tmp/bg_base.png" \
  "$tmp/bg_glow.png" -compose over -composite \
  "$tmp/bg_beams.png" -compose screen -composite \
  "$tmp/bg_pools.png" -compose screen -composite \
  "$tmp/bg_bokeh.png" -compose over -composite \
  "$tmp/bg_music.png" -compose over -composite \
  "$tmp/bg_vignette.png" -compose over -composite \
  -alpha off -depth 8 "${PNGOPT[@]}" "PNG24:$out/background.png"

# ---------------------------------------------------------------------------
# player1..4.png (170x230): head-and-shoulders figures on coloured sunbursts.

# player N TOPCOLOUR BOTTOMCOLOUR FIGURECOLOUR RAYCOLOUR EXTRA_MVG_FILE
player() {
  local n=$1 top=$2 bottom=$3 fig=$4 ray=$5 extra=$6
  {
    sunburst 85 96 14 260 "$ray"
    echo "fill rgba(255,255,255,0.22)"
    echo "circle 85,96 85,40"
    echo "fill rgba(255,255,255,0.14)"
    echo "circle 85,96 85,22"
  } > "$tmp/p${n}_deco.mvg"
  convert -size 170x230 gradient:"$top"-"$bottom" \
    -draw "$(<"$tmp/p${n}_deco.mvg")" "$tmp/p${n}_bg.png"
  {
    echo "fill $fig"
    echo "stroke none"
    # Shoulders and body, neck, head.
    echo "path 'M 8,232 C 8,182 34,158 85,156 C 136,158 162,182 162,232 Z'"
    echo "rectangle 72,118 98,162"
    echo "ellipse 85,96 33,38 0,360"
    cat "$extra"
  } > "$tmp/p${n}_fig.mvg"
  convert "$tmp/p${n}_bg.png" -draw "$(<"$tmp/p${n}_fig.mvg")" \
    -alpha off -depth 8 "${PNGOPT[@]}" "PNG24:$out/player$n.png"
}

# 1: headphones.
cat > "$tmp/p1_extra.mvg" <<'EOF'
fill #ffd23f
stroke #b8860b
stroke-width 1.5
path 'M 44,104 C 44,36 126,36 126,104 L 119,104 C 119,46 51,46 51,104 Z'
stroke-width 2
fill #ffd23f
roundrectangle 40,88 56,124 6,6
roundrectangle 114,88 130,124 6,6
EOF
player 1 '#63b8ff' '#1746a8' '#0f1f4d' 'rgba(255,255,255,0.13)' "$tmp/p1_extra.mvg"

# 2: ponytail with a bow.
cat > "$tmp/p2_extra.mvg" <<'EOF'
path 'M 108,66 C 128,56 150,70 150,98 C 150,124 140,140 132,150 C 136,132 138,112 130,96 C 126,88 118,82 110,84 Z'
path 'M 52,92 C 50,62 70,54 88,56 C 104,58 118,68 118,86 C 100,80 80,74 58,96 Z'
fill #ffde4a
stroke #b8860b
stroke-width 1.5
polygon 114,70 136,56 134,84
polygon 114,70 100,50 94,74
circle 114,70 114,76
EOF
player 2 '#ff9a7a' '#b8213a' '#3a0d12' 'rgba(255,255,255,0.14)' "$tmp/p2_extra.mvg"

# 3: baseball cap.
cat > "$tmp/p3_extra.mvg" <<'EOF'
fill #ff8c1a
stroke #9a4a00
stroke-width 2
path 'M 50,84 C 50,46 120,46 120,84 Z'
path 'M 112,80 L 150,84 C 152,90 140,92 112,90 Z'
fill #ffffff
stroke none
circle 85,54 85,58
rectangle 50,80 120,86
EOF
player 3 '#8fef7a' '#1f7a3a' '#0d2e14' 'rgba(255,255,255,0.15)' "$tmp/p3_extra.mvg"

# 4: curly hair and sunglasses.
{
  echo "fill #22093a"
  for c in "58,70" "70,56" "85,50" "100,56" "112,70" "52,86" "118,86" "64,62" "106,62" "85,62"; do
    x=${c%,*}; y=${c#*,}
    echo "circle $x,$y $x,$((y + 17))"
  done
  cat <<'EOF'
fill #33e6ff
stroke #0a6b80
stroke-width 2
roundrectangle 55,90 82,106 6,6
roundrectangle 88,90 115,106 6,6
fill none
stroke #33e6ff
stroke-width 3
line 82,96 88,96
fill rgba(255,255,255,0.7)
stroke none
polygon 60,93 68,93 62,100
polygon 93,93 101,93 95,100
EOF
} > "$tmp/p4_extra.mvg"
player 4 '#d99aff' '#5a1f9e' '#22093a' 'rgba(255,255,255,0.14)' "$tmp/p4_extra.mvg"

# ---------------------------------------------------------------------------
# icon.png (33x33): dark beamed notes on a yellow-orange disc.
# Drawn at 8x and reduced with a box filter for clean edges.

S=264
convert -size ${S}x${S} xc: -sparse-color Bilinear \
  "0,0 #fff27a  $((S-1)),0 #ffc21a  0,$((S-1)) #ffb000  $((S-1)),$((S-1)) #ff6a00" \
  "$tmp/icon_fill.png"
convert -size ${S}x${S} xc:black -fill white -draw "circle 132,132 132,6" \
  "$tmp/icon_mask.png"
{
  echo "fill none"
  echo "stroke #b34700"
  echo "stroke-width 12"
  echo "circle 132,132 132,12"
  echo "stroke rgba(255,255,255,0.55)"
  echo "stroke-width 8"
  curve "52,110 62,70 90,48 126,42"
  notes2 92 180 3.55 "#2a1446"
} > "$tmp/icon.mvg"
convert "$tmp/icon_fill.png" "$tmp/icon_mask.png" -alpha off -compose copy-opacity -composite \
  -draw "$(<"$tmp/icon.mvg")" \
  -filter box -resize 33x33 -depth 8 "${PNGOPT[@]}" "PNG32:$out/icon.png"

# ---------------------------------------------------------------------------
# menu0..6.png (32x32, transparent): drawn on a 128x128 grid, reduced 4x.

menu() {
  convert -size 128x128 xc:none -draw "$(<"$2")" \
    -filter box -resize 32x32 -depth 8 "${PNGOPT[@]}" "PNG32:$out/menu$1.png"
}

# 0: quit, a white cross on a red disc.
cat > "$tmp/m0.mvg" <<'EOF'
fill #e23a3a
stroke #8e1414
stroke-width 7
circle 64,64 64,8
stroke #ffffff
stroke-width 17
stroke-linecap round
line 43,43 85,85
line 85,43 43,85
EOF
menu 0 "$tmp/m0.mvg"

# 1: load playlist, a folder with a note.
{
  cat <<'EOF'
stroke #8a5a00
stroke-width 5
stroke-linejoin round
fill #e0a010
path 'M 8,26 L 46,26 L 56,36 L 118,36 L 118,110 L 8,110 Z'
fill #ffd24a
path 'M 8,52 L 118,52 L 118,110 L 8,110 Z'
EOF
  notes2 40 102 1.62 "#1d3a8f"
} > "$tmp/m1.mvg"
menu 1 "$tmp/m1.mvg"

# 2: a tag with a check mark.
cat > "$tmp/m2.mvg" <<'EOF'
push graphic-context
  translate 64,64
  rotate -30
  translate -64,-64
  fill #ffb347
  stroke #a85d00
  stroke-width 6
  stroke-linejoin round
  path 'M 8,64 L 40,28 L 120,28 L 120,100 L 40,100 Z'
  fill #fff4e0
  stroke-width 4
  circle 36,64 36,72
pop graphic-context
fill none
stroke #ffffff
stroke-width 24
stroke-linecap round
stroke-linejoin round
polyline 54,76 72,96 110,48
stroke #17a032
stroke-width 14
polyline 54,76 72,96 110,48
EOF
menu 2 "$tmp/m2.mvg"

# 3: short help, a question mark on a blue disc.
{
  cat <<'EOF'
fill #2f7de1
stroke #174a94
stroke-width 7
circle 64,64 64,8
fill none
stroke #ffffff
stroke-width 15
stroke-linecap round
stroke-linejoin round
EOF
  curve "44,50 44,24 86,22 86,48 86,66 64,64 64,84"
  cat <<'EOF'
fill #ffffff
stroke none
circle 64,104 64,113
EOF
} > "$tmp/m3.mvg"
menu 3 "$tmp/m3.mvg"

# 4: highscores, a trophy with a star.
{
  echo "fill none"
  echo "stroke-linecap round"
  echo "stroke #b07a00"
  echo "stroke-width 14"
  curve "36,32 6,32 8,70 42,70"
  curve "92,32 122,32 120,70 86,70"
  echo "stroke #ffc61a"
  echo "stroke-width 7"
  curve "36,32 6,32 8,70 42,70"
  curve "92,32 122,32 120,70 86,70"
  cat <<'EOF'
fill #ffd21f
stroke #a06c00
stroke-width 5
stroke-linejoin round
path 'M 30,14 L 98,14 L 96,50 C 94,78 78,90 64,90 C 50,90 34,78 32,50 Z'
rectangle 56,90 72,104
roundrectangle 32,102 96,120 5,5
EOF
  star 64 50 22 "#ffffff"
} > "$tmp/m4.mvg"
menu 4 "$tmp/m4.mvg"

# 5: single player, one person.
cat > "$tmp/m5.mvg" <<'EOF'
fill #2e8bd8
stroke #154a7a
stroke-width 6
path 'M 18,122 C 18,84 38,72 64,72 C 90,72 110,84 110,122 Z'
circle 64,40 64,66
fill rgba(255,255,255,0.45)
stroke none
ellipse 56,32 8,6 0,360
EOF
menu 5 "$tmp/m5.mvg"

# 6: languages, a globe.
{
  cat <<'EOF'
fill #2f8ae6
stroke #164f8c
stroke-width 6
circle 64,64 64,10
fill #46c25a
stroke none
path 'M 30,40 C 40,28 58,26 60,38 C 62,50 48,52 50,64 C 52,78 40,86 32,76 C 24,66 22,50 30,40 Z'
path 'M 76,60 C 90,54 104,62 100,78 C 96,96 80,100 76,88 C 72,78 66,66 76,60 Z'
fill none
stroke rgba(255,255,255,0.85)
stroke-width 4
ellipse 64,64 24,54 0,360
line 64,10 64,118
line 10,64 118,64
EOF
  curve "20,36 48,46 80,46 108,36"
  curve "20,92 48,82 80,82 108,92"
  cat <<'EOF'
stroke #164f8c
stroke-width 6
circle 64,64 64,10
EOF
} > "$tmp/m6.mvg"
menu 6 "$tmp/m6.mvg"

# ---------------------------------------------------------------------------
# grip.png (16x16, transparent): six dots in the bottom right corner, each a
# light yellow 2x2 square with a dark shadow, drawn pixel-exact.
{
  echo "stroke none"
  for c in "12,4" "8,8" "12,8" "4,12" "8,12" "12,12"; do
    x=${c%,*}; y=${c#*,}
    echo "fill rgba(0,0,0,0.75)"
    echo "rectangle $((x + 1)),$((y + 1)) $((x + 2)),$((y + 2))"
    echo "fill #fff35a"
    echo "rectangle $x,$y $((x + 1)),$((y + 1))"
  done
} > "$tmp/grip.mvg"
convert -size 16x16 xc:none +antialias -draw "$(<"$tmp/grip.mvg")" \
  -depth 8 "${PNGOPT[@]}" "PNG32:$out/grip.png"

# ---------------------------------------------------------------------------
# mask1..4.png (161x161): white square, one black triangle cut along both
# diagonals: 1 bottom, 2 right, 3 top, 4 left. Pure black and white only.
# A pixel (i,j) belongs to a triangle when its centre lies inside it or on its
# edge, so the four triangles together cover every pixel (the diagonals and
# the centre pixel belong to two or four of them).
N=161
L=$((N - 1))
mask() {
  convert -size ${N}x${N} xc:white -fx "($2) ? 0 : 1" \
    -depth 8 "${PNGOPT[@]}" "PNG24:$out/mask$1.png"
}
mask 1 "j >= i && j >= $L - i"
mask 2 "i >= j && i >= $L - j"
mask 3 "j <= i && j <= $L - i"
mask 4 "i <= j && i <= $L - j"

echo "pictures written to $out"
