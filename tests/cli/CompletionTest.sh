#!/usr/bin/env bash
# The bash completion of tallywise-eval, driven as bash drives it: the words
# typed so far in, the candidates out.
#   CompletionTest.sh COMPLETION-FILE
set -u
# shellcheck source=cli/completions/tallywise-eval.bash
. "$1"
dir=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-completion.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
touch exprs.txt extra.txt other.dat
failures=0

check() {  # name, wanted candidates (sorted, blank-separated), words typed...
  local name=$1 want=$2 got
  shift 2
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _tallywise_eval
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  got=${got% }
  if [ "$got" != "$want" ]; then
    echo "FAIL $name: got '$got', wanted '$want'"
    failures=$((failures + 1))
  fi
}

check "a long option" "--version" tallywise-eval --ver
check "options by their start" "--aligned" tallywise-eval -d 2 --al
check "every option" "-- --aligned --decimals= --exact --file= --grouping --help --version -d -f -h -x" tallywise-eval -
check "file names after -f" "exprs.txt extra.txt" tallywise-eval -f ex
check "file names after --file=" "exprs.txt extra.txt" tallywise-eval --file = e
check "decimal places after -d" "0 1 2 3 4 5 6 7 8 9" tallywise-eval -d ""
check "after -- only expressions" "" tallywise-eval -- --v
check "an expression gets nothing" "" tallywise-eval 2
[ $failures -eq 0 ]
