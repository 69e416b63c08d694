#!/usr/bin/env bash
# Renders the icon drawings of ui/icons/drawings.sh into the .ico files the
# resource script uses, one frame for each size a window asks for at the common
# display scales, each drawn for its own size on the pixel grid, so that no
# frame is ever scaled from another:
#   program icon  16 20 24 32 40 48 64 (small and big icons at 100 % to 200 %)
#                 and 256 (Explorer's large views)
#   push-pins     16 20 24 28 32 (the on-top button at 100 % to 200 %)
# Frames are 32-bit with alpha and stored as bitmaps, except the 256 px one,
# which is PNG-compressed as Windows Vista and later read it.
# Needs rsvg-convert (librsvg2-bin) and icotool (icoutils).
# Run it after changing a drawing and commit the .ico files with it.
set -euo pipefail
cd "$(dirname "$0")/../ui/icons"
# shellcheck source=ui/icons/drawings.sh
source ./drawings.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The .ico file of one drawing: name, drawing command, sizes.
make_icon() {
  local name=$1 draw=$2
  shift 2
  local args=() s
  for s in "$@"; do
    local png=$work/$name-$s.png
    # shellcheck disable=SC2086 # the drawing command carries its own arguments
    $draw "$s" >"$work/$name-$s.svg"
    rsvg-convert --width "$s" --height "$s" --format png "$work/$name-$s.svg" --output "$png"
    if [ "$s" -ge 256 ]; then
      args+=("--raw=$png")
    else
      args+=("$png")
    fi
  done
  icotool --create --output "$name.ico" "${args[@]}"
  echo "$name.ico: $(icotool --list "$name.ico" | wc -l) images"
}

pin_on_top() { draw_pin "$1" top; }
pin_not_on_top() { draw_pin "$1" notop; }

make_icon tallywise draw_program_icon 16 20 24 32 40 48 64 256
make_icon pin-top pin_on_top 16 20 24 28 32
make_icon pin-notop pin_not_on_top 16 20 24 28 32
