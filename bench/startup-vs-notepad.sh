#!/usr/bin/env bash
# Start-up time of Tallywise.exe beside Wine's own notepad, both under Wine on
# a private Xvfb: from the start of the program until its window is on the
# screen, N times each, alternating; then Alt+F4 closes it.
#   bench/startup-vs-notepad.sh [N] [Tallywise.exe] [DPI]
#                                (default 20, build/win/app/Tallywise.exe, 96)
# Prints the median and the best time of each and the ratio of the medians
# (the aim is at most 1.1).
set -u
n=${1:-20}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$(realpath "${2:-$here/build/win/app/Tallywise.exe}")
export TALLYWISE_WINE_DPI=${3:-96}
[ -f "$exe" ] || { echo "missing $exe: build the Windows program first" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-startup.XXXXXX") || exit 1
export TALLYWISE_WINEPREFIX=$work/prefix
unset DISPLAY
trap 'bash "$here/scripts/wine-stop.sh" >/dev/null 2>&1; rm -rf "$work"' EXIT
# shellcheck source=scripts/wine-env.sh
. "$here/scripts/wine-env.sh" || exit 1

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds until a window of this title shows; the program then closes.
start_once() {  # title, program
  local title=$1 start id pid
  shift
  start=$(now_ms)
  wine "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  local tries=0
  until id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 3000 ]; then
      echo "no window \"$title\" after 30 s" >&2
      kill "$pid" 2>/dev/null
      exit 1
    fi
    sleep 0.01
  done
  echo $(($(now_ms) - start))
  xdotool windowfocus --sync "$id" key alt+F4
  wait "$pid"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
best() { sort -n | head -n 1; }

# A first run of each warms the prefix and the file cache.
start_once 'Untitled - Notepad' notepad.exe >/dev/null
start_once Tallywise "$exe" >/dev/null
: >"$work/notepad"
: >"$work/tallywise"
for _ in $(seq 1 "$n"); do
  start_once 'Untitled - Notepad' notepad.exe >>"$work/notepad"
  start_once Tallywise "$exe" >>"$work/tallywise"
done

notepad=$(median <"$work/notepad")
tallywise=$(median <"$work/tallywise")
echo "notepad    median $notepad ms, best $(best <"$work/notepad") ms ($n runs, $TALLYWISE_WINE_DPI DPI)"
echo "Tallywise  median $tallywise ms, best $(best <"$work/tallywise") ms"
awk -v t="$tallywise" -v n="$notepad" 'BEGIN { printf "Tallywise / notepad: %.2f (aim: at most 1.1)\n", t / n }'
