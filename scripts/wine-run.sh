#!/usr/bin/env bash
# Runs a Windows program under Wine in Tallywise's environment:
#   scripts/wine-run.sh program.exe [arguments...]
# CMake uses it as the cross-compiling emulator, so CTest runs the Windows
# test programs through it. The exit status is the program's, and never 0
# when it crashed.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh" || exit 125

# Wine's background processes (wineserver, services, explorer) inherit the
# descriptors of the wine that started them and outlive it; CTest would wait
# for them to close its output pipes. So the program writes into files, and
# tail passes them on as they grow and stops when the program has ended.
dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-run.XXXXXX") || exit 125
pid=
trap 'rm -rf "$dir"' EXIT
# Interrupted: the program goes too (its tails follow it), not only this script.
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait; exit 130' INT
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait; exit 143' TERM
: >"$dir/out"
: >"$dir/err"

wine "$@" >"$dir/out" 2>"$dir/err" </dev/null &
pid=$!
tail --pid=$pid -s 0.2 -n +1 -f "$dir/out" &
tail --pid=$pid -s 0.2 -n +1 -f "$dir/err" >&2 &
wait $pid
status=$?
wait

# A crash inside a window procedure can end the process with status 0 under
# Wine 8; a test program that crashed has not passed, whatever it returns.
if [ $status -eq 0 ] && grep -q '^wine: Unhandled' "$dir/err"; then
  echo "wine-run: $1 crashed (unhandled exception above)" >&2
  status=134
fi
exit $status
