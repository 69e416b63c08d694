#!/usr/bin/env bash
# Builds Tallywise.exe and starts it under Wine.
#   scripts/run.sh
# With a display (DISPLAY set) the program runs in the foreground until it is
# closed. Without one it runs on a private Xvfb just long enough for a
# screenshot, saved as build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh

cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh"
cmake --build build/win -j2 --target Tallywise
exe=$root/build/win/app/Tallywise.exe

if [ -n "${DISPLAY:-}" ]; then
  . scripts/wine-env.sh
  exec wine "$exe"
fi

# Whatever way this ends, Wine and the Xvfb it is given stop with it, even
# when the start itself fails half-way.
trap 'scripts/wine-stop.sh >/dev/null' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
. scripts/wine-env.sh
echo "No display: running Tallywise on Xvfb $DISPLAY"
shot=$root/build/screenshot.png
rm -f "$shot"
# Wine's background processes keep the descriptors they inherit; give them
# none of ours, so that a caller reading our output is not kept waiting.
timeout 300 wine "$exe" </dev/null >"$root/build/wine.log" 2>&1 &

# Xvfb has no window manager: with Wine drawing the frames itself, the
# caption is the X window's name.
found=no
for _ in $(seq 1 60); do
  if xwininfo -root -tree 2>/dev/null | grep -q '"Tallywise"'; then
    found=yes
    break
  fi
  sleep 0.5
done

status=0
if [ $found = yes ]; then
  sleep 1   # let the controls paint
  timeout 30 import -window root "$shot"
  echo "Screenshot: $shot"
else
  echo "run.sh: no Tallywise window appeared within 30 s (Wine's output: build/wine.log)" >&2
  status=1
fi
exit $status
