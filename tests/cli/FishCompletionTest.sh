#!/usr/bin/env bash
# The fish completion of tallywise-eval, asked as fish asks it: the command
# line typed so far in, the candidates out.
#   FishCompletionTest.sh COMPLETION-FILE
set -u
completion=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-fish.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
touch exprs.txt extra.txt
failures=0

check() {  # name, wanted candidates (blank-separated, sorted), command line typed
  local name=$1 want=$2 got
  got=$(HOME=$dir fish --no-config -c "source '$completion'; complete -C '$3'" | cut -f 1 | LC_ALL=C sort | tr '\n' ' ')
  got=${got% }
  if [ "$got" != "$want" ]; then
    echo "FAIL $name: got '$got', wanted '$want'"
    failures=$((failures + 1))
  fi
}

check "every option" "--aligned --decimals --exact --file --grouping --help --version -d -f -h -x" "tallywise-eval -"
check "options after an expression" "--aligned" "tallywise-eval 2 --al"
check "file names after -f" "exprs.txt extra.txt" "tallywise-eval -f ex"
check "file names after --file=" "--file=exprs.txt --file=extra.txt" "tallywise-eval --file=e"
check "decimal places after -d" "0 1 2 3 4 5 6 7 8 9" "tallywise-eval -d "
check "no file names after an expression" "" "tallywise-eval 2 "
check "no file names for an expression" "" "tallywise-eval e"
check "after -- only expressions" "" "tallywise-eval -- --v"
[ $failures -eq 0 ]
