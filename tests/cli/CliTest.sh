#!/usr/bin/env bash
# The command-line evaluator as a user meets it: results, prompts with markers,
# messages, exit codes.
#   CliTest.sh PROGRAM VERSION
set -u
eval_program=$1
version=$2
dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-cli.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT

# shellcheck source=tests/cli/Check.sh
. "$(dirname "${BASH_SOURCE[0]}")/Check.sh"

check "result" "9.000" "" 0 "$eval_program" "2*(3+4)-5"
check "decimals" "0.3333330" "" 0 "$eval_program" -d 7 "1/3*1"
check "long decimals option" "3" "" 0 "$eval_program" --decimals 0 "2.5"
check "leading minus after --" "-2.000" "" 0 "$eval_program" -- "-5+3"
check "several arguments" $'5.000\n1.414' "" 0 "$eval_program" "2+3" "2#2"
check "caret after operator, the argument named" "" $'tallywise-eval: argument 1: Paste number here\n  2*\n    ^' 1 "$eval_program" "2*"
check "selection" "" $'tallywise-eval: argument 1: Together \'*-\'\n  2 * - 3\n    ^~~' 1 "$eval_program" "2 * - 3"
# The window leaves the caret alone for these; a terminal line shows where the
# parenthesis is missing: after the last character, or at the ')' none opens.
check "a missing ')' marked after the last character, not after the blanks" "" \
  $'tallywise-eval: argument 1: Missing \')\'\n  ((1+2)  \n        ^' 1 "$eval_program" "((1+2)  "
check "a missing '(' marked at the first ')' that none opens" "" \
  $'tallywise-eval: argument 1: Missing \'(\'\n  (1 +2 ) )+(1))\n          ^' 1 "$eval_program" "(1 +2 ) )+(1))"
check "a missing '(' and ')' marked at the ')'" "" \
  $'tallywise-eval: argument 1: Missing \'(\' and \')\'\n  1+2)*(3\n     ^' 1 "$eval_program" "1+2)*(3"
check "whole text" "" $'tallywise-eval: argument 1: Enter expression\n  \n  ^' 1 "$eval_program" ""
check "exact arithmetic" $'1.000\n9223372036854775808.000\n2.408' "" 0 \
  "$eval_program" -x "3000000*1/3000000" "2^63" "9#2.5"
check "classic arithmetic in batch, with no note" "0.000" "" 0 "$eval_program" "3000000*1/3000000"
check "exact arithmetic's bound is met at once" "1.000" "tallywise-eval: argument 2: The number is too large!" 3 \
  "$eval_program" --exact "2^(2^40)+1"
check "division by zero goes on" "5.000" "tallywise-eval: argument 1: Division to the zero!" 3 "$eval_program" "5+1/0"
check "overflow goes on" "1.000" "tallywise-eval: argument 1: The number is too large!" 3 "$eval_program" "10^400+1"
check "messages in the order of the passes" "0.000" \
  $'tallywise-eval: argument 1: Division to the zero!\ntallywise-eval: argument 1: No even root of a negative number!\ntallywise-eval: argument 1: Division to the zero!' 3 \
  "$eval_program" "(0-4)#2+(7/(3-3))-1/0"
check "a fault in an input line names the place of its operator" "3.000" "<stdin>:1:5: Division to the zero!" 3 \
  bash -c "printf '2*(1/0)+3\n' | '$eval_program'"
check "a fault outranks a rejection" "0.000" $'tallywise-eval: argument 1: Division to the zero!\ntallywise-eval: argument 2: Paste number here\n  2*\n    ^' 3 "$eval_program" "1/0" "2*"
check "rejected among accepted, named by its place among all arguments" "2.000" $'tallywise-eval: argument 4: Paste operator here\n  2(3\n   ^' 1 "$eval_program" -d 3 "1+1" "2(3"
check "standard input, CR LF lines" $'2.0\n-5.0' "" 0 bash -c "printf '1+1\r\n-5\n' | '$eval_program' -d 1"
check "results and prompts in order in one stream" $'2.000\n<stdin>:2:3: Paste number here\n  2*\n    ^\n3.000' "" 1 \
  bash -c "printf '1+1\n2*\n3\n' | '$eval_program' 2>&1"
check "CR LF, an empty line skipped, no line end at the end" $'2.000\n4.000' "" 0 \
  bash -c "printf '1+1\r\n\n2+2' | '$eval_program'"
check "NUL byte shown escaped, marker under it" "" $'<stdin>:1:3: Unknown symbol \'\\x00\'\n  1+\\x00\n    ^~~~' 1 \
  bash -c "printf '1+\\0\n' | '$eval_program'"
check "a second decimal separator asks for an operator before it" "1.000" \
  $'tallywise-eval: argument 2: Paste operator here\n  1,234.5\n       ^' 1 "$eval_program" "1,000" "1,234.5"
check "minus and comma is an expression" $'-0.500\n-5.000' "" 0 "$eval_program" "-,5" "- 5"
check "version, copyright and licence" \
  "tallywise-eval $version"$'\nCopyright (C) 2026 Quillbright\nLicense MIT: <https://opensource.org/licenses/MIT>.' "" 0 \
  bash -c "'$eval_program' --version | head -n 3"
check "write error" "" "tallywise-eval: write error: No space left on device" 4 \
  bash -c "'$eval_program' 1+1 2+2 >/dev/full"
check "read error, standard input named" "" "tallywise-eval: <stdin>: read error: Is a directory" 4 bash -c "'$eval_program' </"
# A line longer than the memory the system gives ends as a read error, not in an
# abort. A sanitized build cannot run under a memory limit at all; it skips this.
if bash -c 'ulimit -v 100000 && "$1" 1+1; exit $?' _ "$eval_program" >/dev/null 2>&1; then
  check "a line longer than memory" "" "tallywise-eval: <stdin>: read error: Cannot allocate memory" 4 \
    bash -c "ulimit -v 100000; head -c 200000000 /dev/zero | tr '\\0' 1 | '$eval_program'"
fi
try_help="Try 'tallywise-eval --help'."
check "bad decimals: one line and where to read more" "" $'tallywise-eval: -d needs a number of decimal places from 0 to 9\n'"$try_help" 2 "$eval_program" -d 12 "1"
check "unknown option" "" $'tallywise-eval: unknown option --frobnicate\n'"$try_help" 2 "$eval_program" --frobnicate "1"
check "-f without a name" "" $'tallywise-eval: -f needs a file name\n'"$try_help" 2 "$eval_program" -f
check "a usage message that cannot be written is a write error" "" "" 4 bash -c "'$eval_program' -d 12 1 2>/dev/full"

# The input and output rules for lines of files and standard input.
printf '\xef\xbb\xbf1+1\n\n  \n2*\n(1\n3\n' >"$dir/mixed"
printf '2+2\n' >"$dir/four"
long=$(printf '1+%.0s' $(seq 1 200))x
check "-dN" "1.00" "" 0 "$eval_program" -d2 1
check "--decimals=N" "1.0000" "" 0 "$eval_program" --decimals=4 1
check "-h is --help" "$("$eval_program" --help)" "" 0 "$eval_program" -h
check "help explains the calculator's rules" "6" "" 0 \
  bash -c "'$eval_program' --help | grep -c -F -e '2^3^2 is 64' -e '3000000*1/3000000 is 0' -e '1.000,5 is rejected' \
    -e '# ^ % / * - +' -e '2^0.5 is 2^0' -e '2^63 is 9223372036854775800'"
check "files in order, byte-order mark and blank lines skipped, NAME:LINE:COLUMN" $'2.000\n3.000\n4.000' \
  "$dir/mixed:4:3: Paste number here"$'\n  2*\n    ^\n'"$dir/mixed:5:3: Missing ')'"$'\n  (1\n    ^' 1 \
  "$eval_program" -f "$dir/mixed" --file="$dir/four"
check "standard input named <stdin>, argument and - in order" $'5.000\n2.000' $'<stdin>:1:3: Unknown symbol \'a\'\n  2+a\n    ^' 1 \
  bash -c "printf '2+a\n1+1\n' | '$eval_program' 2+3 -f -"
check "--aligned: one stdout line per input line" $'2.000\n\n\n\n\n3.000' "" 1 \
  bash -c "'$eval_program' --aligned -f '$dir/mixed' 2>/dev/null"
check "a UTF-8 character named whole, a stray byte as before" "" \
  $'tallywise-eval: argument 1: Unknown symbol \'×\'\n  2×3\n   ^\ntallywise-eval: argument 2: Unknown symbol \'\\xd7\'\n  2\\xd73\n   ^~~~' 1 "$eval_program" "2×3" $'2\xd73'
check "a long line echoed in a window" "" "<stdin>:1:401: Unknown symbol 'x'
  ...1+1+1+1+1+1+1+1+1+1+1+1+1+1+1+x
                                   ^" 1 bash -c "echo '$long' | '$eval_program'"
check "a file that cannot be opened, the rest goes on" "2.000" "tallywise-eval: $dir/none: cannot open: No such file or directory" 4 \
  "$eval_program" -f "$dir/none" 1+1

check "columns count a wide character as two and a tab to the next multiple of 8; the echo lines up" "" \
  "<stdin>:1:10: Paste number here"$'\n  中      *\n           ^' 1 bash -c "printf '中 \\t*\\n' | LC_ALL=C.UTF-8 '$eval_program'"
check "a file name that cannot be opened is shown escaped" "" \
  "tallywise-eval: \\x1b[31m: cannot open: No such file or directory" 4 "$eval_program" -f $'\e[31m'

# Someone waiting for each answer (a coprocess) gets it before typing the next line.
coprocess_answers_each_line() {
  local answer status=0 to_calc
  coproc CALC { "$eval_program"; }
  to_calc=${CALC[1]}
  for pair in 1+1=2.000 2*3=6.000; do
    echo "${pair%=*}" >&"$to_calc"
    # Held back until the input ends, the answer would never come in time;
    # the limit only ends a failing wait, so it is generous for a loaded machine.
    if ! read -r -t 60 answer <&"${CALC[0]}" || [ "$answer" != "${pair#*=}" ]; then
      echo "FAIL coprocess: no answer ${pair#*=} to ${pair%=*} within a minute"
      status=1
      break
    fi
  done
  exec {to_calc}>&-
  wait "$CALC_PID" 2>/dev/null
  return $status
}
coprocess_answers_each_line || failures=$((failures + 1))

# --grouping writes results as the locale's LC_NUMERIC writes numbers. Each
# locale is made here with its numbers alone, so the test needs no locale the
# machine may lack.
locale_with_numbers_of() {  # locale whose numbers to take; prints the name to use
  printf 'LC_CTYPE\ncopy "POSIX"\nEND LC_CTYPE\nLC_COLLATE\ncopy "POSIX"\nEND LC_COLLATE\nLC_NUMERIC\ncopy "%s"\nEND LC_NUMERIC\n' "$1" \
    >"$dir/$1.src"
  localedef -c -i "$dir/$1.src" -f UTF-8 "$dir/locales/$1.UTF-8" >/dev/null 2>&1
  echo "$1.UTF-8"
}
mkdir -p "$dir/locales"
grouping_cases=(
  "en_US|1,234,567.891|-1,234,567.000|123.000"
  "de_DE|1.234.567,891|-1.234.567,000|123,000"
  "en_IN|12,34,567.891|-12,34,567.000|123.000"
  # a narrow no-break space, in UTF-8
  $'fr_FR|1\xe2\x80\xaf234\xe2\x80\xaf567,891|-1\xe2\x80\xaf234\xe2\x80\xaf567,000|123,000'
  "POSIX|1234567.891|-1234567.000|123.000"
)
for row in "${grouping_cases[@]}"; do
  IFS='|' read -r locale first second third <<<"$row"
  name=$locale
  [ "$locale" != POSIX ] && name=$(locale_with_numbers_of "$locale")
  want=$(printf '%s\n%s\n%s' "$first" "$second" "$third")
  check "--grouping in $locale" "$want" "" 0 \
    env LOCPATH="$dir/locales" LC_ALL="$name" "$eval_program" --grouping 1234567.891 -- -1234567 123
  check "no grouping without --grouping in $locale" $'1234567.891\n0.500' "" 0 \
    env LOCPATH="$dir/locales" LC_ALL="$name" "$eval_program" 1234567.891 0,5
done

if [ $failures -ne 0 ]; then
  echo "$failures command-line checks failed"
  exit 1
fi
echo "all command-line checks passed"
