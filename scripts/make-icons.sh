#!/usr/bin/env bash
# Renders the icon drawings ui/icons/*.svg into the .ico files the resource
# script uses: 16, 24, 32 and 48 pixels, 32-bit with alpha, stored as bitmaps
# (not PNG) so that every Windows version can read them.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
# Run it after changing a drawing and commit the .ico files with it.
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"

sizes=(16 24 32 48)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for svg in *.svg; do
  name=${svg%.svg}
  pngs=()
  for s in "${sizes[@]}"; do
    png=$work/$name-$s.png
    if [[ $name == pin-* && $s -ge 32 ]]; then
      # The push-pins only ever sit on the small on-top button, about 22 px
      # inside its edges, and LoadIcon hands it the 32 px image unscaled: from
      # 32 px up the pin is drawn at half size in the middle, so none of it is
      # cut off.
      h=$((s / 2))
      rsvg-convert --width $h --height $h --page-width "$s" --page-height "$s" \
        --left $((s / 4)) --top $((s / 4)) --format png "$svg" --output "$png"
    else
      rsvg-convert --width "$s" --height "$s" --format png "$svg" --output "$png"
    fi
    pngs+=("$png")
  done
  icotool --create --output "$name.ico" "${pngs[@]}"
  echo "$name.ico: $(icotool --list "$name.ico" | wc -l) images"
done
