#!/usr/bin/env bash
# Runs a Windows program under Wine in Tallywise's environment:
#   scripts/wine-run.sh program.exe [arguments...]
# CMake uses it as the cross-compiling emulator, so CTest runs the Windows
# test programs through it. The exit status is the program's.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh" || exit 125

# Wine's background processes (wineserver, services, explorer) inherit the
# descriptors of the wine that started them and outlive it; CTest would wait
# for them to close its output pipes. So the program writes into files that
# are passed on once it has ended.
out=$(mktemp "${TMPDIR:-/tmp}/tallywise-run.XXXXXX") || exit 125
err=$(mktemp "${TMPDIR:-/tmp}/tallywise-run.XXXXXX") || { rm -f "$out"; exit 125; }
trap 'rm -f "$out" "$err"' EXIT

wine "$@" >"$out" 2>"$err"
status=$?
cat "$out"
cat "$err" >&2
exit $status
