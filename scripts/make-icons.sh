#!/usr/bin/env bash
# Renders the icon drawings ui/icons/*.svg into the .ico files the resource
# script uses, one frame for each size a window asks for at the common display
# scales, so that no frame is ever scaled from another:
#   program icon  16 20 24 32 40 48 64 (small and big icons at 100 % to 200 %)
#                 and 256 (Explorer's large views)
#   push-pins     16 20 24 28 32 (the on-top button at 100 % to 200 %)
# Frames are 32-bit with alpha and stored as bitmaps, except the 256 px one,
# which is PNG-compressed as Windows Vista and later read it.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
# Run it after changing a drawing and commit the .ico files with it.
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for svg in *.svg; do
  name=${svg%.svg}
  if [[ $name == pin-* ]]; then
    sizes=(16 20 24 28 32)
  else
    sizes=(16 20 24 32 40 48 64 256)
  fi
  args=()
  for s in "${sizes[@]}"; do
    png=$work/$name-$s.png
    rsvg-convert --width "$s" --height "$s" --format png "$svg" --output "$png"
    if [ "$s" -ge 256 ]; then
      args+=("--raw=$png")
    else
      args+=("$png")
    fi
  done
  icotool --create --output "$name.ico" "${args[@]}"
  echo "$name.ico: $(icotool --list "$name.ico" | wc -l) images"
done
