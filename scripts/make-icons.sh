#!/usr/bin/env bash
# Renders the icon drawings app/icons/*.svg into the .ico files the resource
# script uses: 16, 24, 32 and 48 pixels, 32-bit with alpha, stored as bitmaps
# (not PNG) so that every Windows version can read them.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
# Run it after changing a drawing and commit the .ico files with it.
set -euo pipefail
cd "$(dirname "$0")/../app/icons"

sizes=(16 24 32 48)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for svg in *.svg; do
  name=${svg%.svg}
  pngs=()
  for s in "${sizes[@]}"; do
    rsvg-convert --width "$s" --height "$s" --format png "$svg" --output "$work/$name-$s.png"
    pngs+=("$work/$name-$s.png")
  done
  icotool --create --output "$name.ico" "${pngs[@]}"
  echo "$name.ico: $(icotool --list "$name.ico" | wc -l) images"
done
