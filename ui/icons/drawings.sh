#!/usr/bin/env bash
# The drawings of the program icon and the push-pins, one for each frame size.
# A drawing scaled from one size puts edges between pixels at most others (a
# 32-unit drawing at 20, 24 or 40 pixels), which then look soft; so each size
# has its own row of whole-pixel lengths below, and every straight edge falls
# on the pixel grid. Only rounded corners and the needle's point are smoothed.
# Sourced by scripts/make-icons.sh; each function prints one SVG document.

# A length in pixels given in hundredths, as SVG writes it.
hundredths() {  # value*100
  printf '%d.%02d' $(($1 / 100)) $(($1 % 100))
}

# The pocket calculator: a dark case with a lighter face, a display with a few
# digits, and three rows of three keys (digits light, operators blue, equals
# orange). Per size: case border, padding inside the face, key width and
# height, gap between keys and below the display, display height.
program_icon_layout() {  # size
  case $1 in
    16) echo "1 1 2 2 1 3" ;;
    20) echo "1 1 3 3 1 4" ;;
    24) echo "1 1 4 4 1 5" ;;
    32) echo "2 2 4 4 2 6" ;;
    40) echo "2 2 6 6 2 8" ;;
    48) echo "3 3 6 6 3 9" ;;
    64) echo "4 4 8 8 4 12" ;;
    256) echo "16 16 32 32 16 48" ;;
    *) return 1 ;;
  esac
}

draw_program_icon() {  # size
  local s=$1 border pad key keyHeight gap display
  read -r border pad key keyHeight gap display < <(program_icon_layout "$s") || return 1
  local width=$((2 * border + 2 * pad + 3 * key + 2 * gap))
  local height=$((2 * border + 2 * pad + display + gap + 3 * keyHeight + 2 * gap))
  local left=$(((s - width) / 2)) top=$(((s - height) / 2))
  local inset=$((border + pad))
  local displayWidth=$((width - 2 * inset))
  local digitsWidth=$((displayWidth / 2)) digitsRight=$(((displayWidth + 4) / 8))
  local digitsHeight=$(((display + 1) / 3))
  ((digitsRight < 1)) && digitsRight=1
  ((digitsHeight < 1)) && digitsHeight=1
  local digitsTop=$((top + inset + (display - digitsHeight) / 2))
  local faceX=$((left + border)) faceY=$((top + border))
  local displayX=$((left + inset)) displayY=$((top + inset))
  cat <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="$s" height="$s" viewBox="0 0 $s $s">
  <defs>
    <linearGradient id="case" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#5f7d95"/>
      <stop offset="1" stop-color="#34495e"/>
    </linearGradient>
    <linearGradient id="lcd" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#e6f5d0"/>
      <stop offset="1" stop-color="#b9dc8f"/>
    </linearGradient>
  </defs>
  <rect x="$left" y="$top" width="$width" height="$height" rx="$(hundredths $((border * 150)))" fill="#1c2833"/>
  <rect x="$faceX" y="$faceY" width="$((width - 2 * border))" height="$((height - 2 * border))" rx="$(hundredths $((border * 75)))" fill="url(#case)"/>
  <rect x="$displayX" y="$displayY" width="$displayWidth" height="$display" fill="url(#lcd)"/>
  <rect x="$((displayX + displayWidth - digitsRight - digitsWidth))" y="$digitsTop" width="$digitsWidth" height="$digitsHeight" fill="#2d3e1c" opacity="0.85"/>
SVG
  local row column x y fill
  for row in 0 1 2; do
    for column in 0 1 2; do
      x=$((displayX + column * (key + gap)))
      y=$((displayY + display + gap + row * (keyHeight + gap)))
      fill="#f4f6f7"
      ((column == 2)) && fill="#8ecae6"
      ((column == 2 && row == 2)) && fill="#f39c12"
      echo "  <rect x=\"$x\" y=\"$y\" width=\"$key\" height=\"$keyHeight\" fill=\"$fill\"/>"
    done
  done
  echo "</svg>"
}

# The push-pin, head up, stuck in (green) or pulled out and lying on its side
# (grey). Per size: needle width, outline, head width and height, shaft width
# and the height of it seen between head and collar, collar width and height,
# needle length to where its point starts, and the point's length. The widths
# share the needle's parity, so that everything is centred on it.
pin_layout() {  # size
  case $1 in
    16) echo "1 1 7 3 5 5 11 3 3 2" ;;
    20) echo "1 1 9 4 7 6 13 4 4 2" ;;
    24) echo "2 1 10 4 8 8 16 4 6 2" ;;
    28) echo "2 2 12 6 8 7 20 6 6 3" ;;
    32) echo "2 2 14 6 10 10 22 6 7 3" ;;
    *) return 1 ;;
  esac
}

draw_pin() {  # size, top|notop
  local s=$1 state=$2 needle outline headWidth headHeight shaftWidth shaftSeen collarWidth collarHeight needleLength point
  read -r needle outline headWidth headHeight shaftWidth shaftSeen collarWidth collarHeight needleLength point \
    < <(pin_layout "$s") || return 1
  local collarX=$(((s - collarWidth) / 2))
  local needleX=$((collarX + (collarWidth - needle) / 2))
  local headX=$((collarX + (collarWidth - headWidth) / 2))
  local shaftX=$((collarX + (collarWidth - shaftWidth) / 2))
  local collarY=$((headHeight + shaftSeen))
  local needleY=$((collarY + collarHeight))
  local dark light middle deep turn=""
  if [ "$state" = top ]; then
    dark="#123f16" light="#b9f0a0" middle="#3fae35" deep="#1e6b22"
  else
    dark="#3a3a3a" light="#f0f0f0" middle="#9a9a9a" deep="#505050"
    turn=" transform=\"rotate(90 $((s / 2)) $((s / 2)))\""
  fi
  cat <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="$s" height="$s" viewBox="0 0 $s $s">
  <defs>
    <linearGradient id="plastic" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="$light"/>
      <stop offset="0.4" stop-color="$middle"/>
      <stop offset="1" stop-color="$deep"/>
    </linearGradient>
    <linearGradient id="steel" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="#c4cacf"/>
      <stop offset="1" stop-color="#3c434a"/>
    </linearGradient>
  </defs>
  <g$turn>
    <path d="M$needleX $needleY H$((needleX + needle)) V$((needleY + needleLength)) L$(hundredths $((needleX * 100 + needle * 50))) $((needleY + needleLength + point)) L$needleX $((needleY + needleLength)) Z" fill="url(#steel)"/>
    <rect x="$collarX" y="$collarY" width="$collarWidth" height="$collarHeight" rx="$(hundredths $((s * 100 / 32)))" fill="$dark"/>
    <rect x="$((collarX + outline))" y="$((collarY + outline))" width="$((collarWidth - 2 * outline))" height="$((collarHeight - 2 * outline))" fill="url(#plastic)"/>
    <rect x="$shaftX" y="$((headHeight - 1))" width="$shaftWidth" height="$((shaftSeen + 2))" fill="$dark"/>
    <rect x="$((shaftX + outline))" y="$((headHeight - 1))" width="$((shaftWidth - 2 * outline))" height="$((shaftSeen + 2))" fill="url(#plastic)"/>
    <rect x="$headX" y="0" width="$headWidth" height="$headHeight" rx="$(hundredths $((s * 150 / 32)))" fill="$dark"/>
    <rect x="$((headX + outline))" y="$outline" width="$((headWidth - 2 * outline))" height="$((headHeight - 2 * outline))" fill="url(#plastic)"/>
  </g>
</svg>
SVG
}
