# shellcheck shell=bash
# The check that the tool's shell tests make of each command, sourced by them:
#   check NAME STDOUT STDERR STATUS COMMAND...
# runs the command and, when its output, its errors or its status differ from
# those expected, says how and counts one more in $failures.
failures=0

check() {
  local name=$1 want_out=$2 want_err=$3 want_status=$4
  shift 4
  local out err status errors
  errors=$(mktemp "${TMPDIR:-/tmp}/tallywise-check.XXXXXX") || { echo "FAIL $name: mktemp"; failures=$((failures + 1)); return; }
  out=$("$@" 2>"$errors"); status=$?
  err=$(cat "$errors")
  rm -f "$errors"
  if [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ] || [ "$status" != "$want_status" ]; then
    echo "FAIL $name"
    echo "  stdout: $(printf '%q' "$out")  wanted $(printf '%q' "$want_out")"
    echo "  stderr: $(printf '%q' "$err")  wanted $(printf '%q' "$want_err")"
    echo "  status: $status  wanted $want_status"
    failures=$((failures + 1))
  fi
}
