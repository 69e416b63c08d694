#!/usr/bin/env bash
# The command-line evaluator as a user meets it: results, prompts with markers,
# messages, exit codes.
#   CliTest.sh PROGRAM VERSION
set -u
eval_program=$1
version=$2
failures=0

check() {  # name, expected stdout, expected stderr, expected status, command...
  local name=$1 want_out=$2 want_err=$3 want_status=$4
  shift 4
  local out err status
  out=$("$@" 2>/tmp/cli-err.$$); status=$?
  err=$(cat /tmp/cli-err.$$); rm -f /tmp/cli-err.$$
  if [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ] || [ "$status" != "$want_status" ]; then
    echo "FAIL $name"
    echo "  stdout: $(printf '%q' "$out")  wanted $(printf '%q' "$want_out")"
    echo "  stderr: $(printf '%q' "$err")  wanted $(printf '%q' "$want_err")"
    echo "  status: $status  wanted $want_status"
    failures=$((failures + 1))
  fi
}

check "result" "9.000" "" 0 "$eval_program" "2*(3+4)-5"
check "decimals" "0.3333330" "" 0 "$eval_program" -d 7 "1/3*1"
check "long decimals option" "3" "" 0 "$eval_program" --decimals 0 "2.5"
check "leading minus after --" "-2.000" "" 0 "$eval_program" -- "-5+3"
check "several arguments" $'5.000\n1.414' "" 0 "$eval_program" "2+3" "2#2"
check "caret after operator" "" $'Paste number here\n  2*\n    ^' 1 "$eval_program" "2*"
check "selection" "" $' Together \'*-\'\n  2 * - 3\n    ^~~' 1 "$eval_program" "2 * - 3"
check "balance has no mark" "" $'Missing \')\'\n  ((1+2)' 1 "$eval_program" "((1+2)"
check "whole text" "" $'Enter expression\n  \n  ^' 1 "$eval_program" ""
check "division by zero goes on" "5.000" "Division to the zero!" 3 "$eval_program" "5+1/0"
check "overflow goes on" "1.000" "The number is too large!" 3 "$eval_program" "10^400+1"
check "messages in the order of the passes" "0.000" \
  $'Division to the zero!\nNo even root of a negative number!\nDivision to the zero!' 3 \
  "$eval_program" "(0-4)#2+(7/(3-3))-1/0"
check "a fault outranks a rejection" "0.000" $'Division to the zero!\nPaste number here\n  2*\n    ^' 3 "$eval_program" "1/0" "2*"
check "rejected among accepted" "2.000" $'Paste operator here\n  2(3\n   ^' 1 "$eval_program" "1+1" "2(3"
check "standard input, CR LF lines" $'2.0\n-5.0' "" 0 bash -c "printf '1+1\r\n-5\n' | '$eval_program' -d 1"
check "results and prompts in order in one stream" $'2.000\nPaste number here\n  2*\n    ^\n3.000' "" 1 \
  bash -c "printf '1+1\n2*\n3\n' | '$eval_program' 2>&1"
check "CR LF, an empty line, no line end at the end" $'2.000\n4.000' $'Enter expression\n  \n  ^' 1 \
  bash -c "printf '1+1\r\n\n2+2' | '$eval_program'"
check "NUL byte shown escaped, marker under it" "" $'Unknown symbol \'\\x00\'\n  1+\\x00\n    ^~~~' 1 \
  bash -c "printf '1+\\0\n' | '$eval_program'"
check "minus and comma is an expression" $'-0.500\n-5.000' "" 0 "$eval_program" "-,5" "- 5"
check "version" "tallywise-eval $version" "" 0 "$eval_program" --version
check "write error" "" "tallywise-eval: write error: No space left on device" 4 \
  bash -c "'$eval_program' 1+1 2+2 >/dev/full"
check "read error" "" "tallywise-eval: read error: Is a directory" 4 bash -c "'$eval_program' </"
check "bad decimals" "" "$("$eval_program" --help | sed '1s/^/tallywise-eval: -d needs a number of decimal places from 0 to 9\n/')" 2 "$eval_program" -d 12 "1"
check "unknown option" "" "$("$eval_program" --help | sed '1s/^/tallywise-eval: unknown option --frobnicate\n/')" 2 "$eval_program" --frobnicate "1"

if [ $failures -ne 0 ]; then
  echo "$failures command-line checks failed"
  exit 1
fi
echo "all command-line checks passed"
