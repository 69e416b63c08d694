#!/usr/bin/env bash
# The Windows console build under Wine, with its standard streams on files as a
# script would have them: CR LF line ends, the exit statuses, a write error.
#   WindowsCliTest.sh PROGRAM.exe path/to/wine-env.sh
set -u
program=$1
# shellcheck source=scripts/wine-env.sh
. "$2" || exit 1
dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-cli.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
failures=0

# Wine's background processes inherit the descriptors of the wine that starts
# them; the program's streams are all files, so none holds the test's output.
run() {  # input, arguments...
  local input=$1
  shift
  printf '%b' "$input" >"$dir/in"
  wine "$program" "$@" <"$dir/in" >"$dir/out" 2>"$dir/err"
}

expect() {  # name, wanted stdout, wanted stderr, wanted status, status
  if [ "$(od -c <"$dir/out")" != "$(printf '%b' "$2" | od -c)" ] ||
     [ "$(od -c <"$dir/err")" != "$(printf '%b' "$3" | od -c)" ] || [ "$5" != "$4" ]; then
    echo "FAIL $1 (status $5, wanted $4)"
    echo "  stdout:"; od -c "$dir/out"
    echo "  stderr:"; od -c "$dir/err"
    failures=$((failures + 1))
  fi
}

run '1+1\r\n2*\r\n1/0' ; status=$?
expect "CR LF lines, in and out" '2.000\r\n0.000\r\n' \
  '<stdin>:2:3: Paste number here\r\n  2*\r\n    ^\r\n<stdin>:3:2: Division to the zero!\r\n' 3 $status

wine "$program" 1+1 2+2 </dev/null >/dev/full 2>"$dir/err"; status=$?
: >"$dir/out"
expect "write error" '' 'tallywise-eval: write error: No space left on device\r\n' 4 $status

# A character outside ASCII reaches the program as typed, never as a look-alike
# of the code page (2⁴ as 24): it is an unknown symbol, named in UTF-8. Wine
# hands the arguments over in the locale's encoding.
printf '' >"$dir/in"
LC_ALL=C.UTF-8 wine "$program" "2⁴" <"$dir/in" >"$dir/out" 2>"$dir/err"; status=$?
expect "2⁴ rejected, the ⁴ named as typed, the argument named" '' "tallywise-eval: argument 1: Unknown symbol '⁴'\r\n  2⁴\r\n   ^\r\n" 1 $status

# Standard output a pipe whose reader has gone (closed before the program
# starts): a broken pipe, named so.
python3 -c '
import os, subprocess, sys
reader, writer = os.pipe()
os.close(reader)
with open(sys.argv[1], "w") as status, open(sys.argv[2], "w") as err:
    status.write(str(subprocess.run(sys.argv[3:], stdin=subprocess.DEVNULL, stdout=writer, stderr=err).returncode))
' "$dir/status" "$dir/err" wine "$program" 1+1
: >"$dir/out"
expect "broken pipe" '' 'tallywise-eval: write error: Broken pipe\r\n' 4 "$(cat "$dir/status")"

if [ $failures -ne 0 ]; then
  echo "$failures Windows command-line checks failed"
  exit 1
fi
echo "all Windows command-line checks passed"
