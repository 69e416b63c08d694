#!/usr/bin/env bash
# Takes the README's screenshots of Tallywise under Wine, on a private Xvfb,
# with keys typed through xdotool as a user types them:
#   docs/screenshot.png          the window with a result
#   docs/screenshot-prompt.png   the window with a prompt and its caret
#   docs/screenshot-about.png    the About box
#   docs/screenshot-144dpi.png   the window with a result at 150 % (144 DPI)
#   docs/screenshot-dark.png     the window with a prompt in the dark mode for apps
#   scripts/screenshots.sh [Tallywise.exe]
# By default it takes the release build that scripts/package.sh made.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
exe=${1:-$root/build/release/app/Tallywise.exe}
[ -f "$exe" ] || { echo "screenshots.sh: no $exe (run scripts/package.sh first)" >&2; exit 1; }

# A fresh prefix and display of its own: the first run's window, with the
# default settings, wherever the script is started.
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-screenshots.XXXXXX")
export TALLYWISE_WINEPREFIX=$work/prefix
unset DISPLAY
trap 'bash "$root/scripts/wine-stop.sh" >/dev/null 2>&1; rm -rf "$work"' EXIT
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
# A caret that does not blink is in every picture.
steady_caret() { wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null 2>&1; }
steady_caret

window_named() {  # title: waits for the window and prints its X id
  local id
  for _ in $(seq 1 60); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  echo "screenshots.sh: no window \"$1\"" >&2
  return 1
}

shoot() {  # window id, file
  sleep 1   # let it paint
  import -window "$1" "$2"
  echo "$2"
}

start_with_result() {  # prints the main window's X id once it shows a result
  wine "$exe" </dev/null >>"$work/wine.log" 2>&1 &
  local id
  id=$(window_named Tallywise)
  xdotool windowfocus --sync "$id"
  xdotool type --delay 50 '2*(3+4)-5'
  xdotool key Return
  echo "$id"
}

main=$(start_with_result)
shoot "$main" docs/screenshot.png

# Without its last number the expression is incomplete.
xdotool key BackSpace Return
shoot "$main" docs/screenshot-prompt.png

# About is the third entry from the end of the window menu, before Font...
# and Clear History.
xdotool key alt+space
sleep 0.5
xdotool key Up Up Up Return
about=$(window_named 'About Tallywise')
shoot "$about" docs/screenshot-about.png

# The window in the dark mode that Windows keeps for apps, with a prompt.
wineserver -k
wineserver -w
wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
  /t REG_DWORD /d 0 /f >/dev/null 2>&1
main=$(start_with_result)
xdotool key BackSpace Return
shoot "$main" docs/screenshot-dark.png

# The same window on a screen at 150 %, in a prefix of that scale (on the same
# display); the first one's programs end first, so that only one window is
# named Tallywise.
wineserver -k
wineserver -w
export TALLYWISE_WINE_DPI=144
# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
steady_caret
main=$(start_with_result)
shoot "$main" docs/screenshot-144dpi.png
