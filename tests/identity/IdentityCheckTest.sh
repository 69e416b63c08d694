#!/usr/bin/env bash
# The identity's values that could break a program or the release stop the
# configure step with a message naming the value; the project's own pass.
#   IdentityCheckTest.sh TallywiseIdentityCheck.cmake
set -u
check_file=$1
failures=0

configure() {  # NAME=VALUE...: the project's values with these changed
  local -A values=(
    [TALLYWISE_PROGRAM_NAME]=Tallywise [TALLYWISE_MAKER]=Quillbright
    [TALLYWISE_LEGAL_NOTICE]="Copyright (C) 2026 Quillbright" [TALLYWISE_WEB_HOST]=quillbright.example
    [TALLYWISE_SUPPORT_ADDRESS]=support@quillbright.example [TALLYWISE_ICON_ID]=128
  )
  local change name arguments=()
  for change in "$@"; do values[${change%%=*}]=${change#*=}; done
  for name in "${!values[@]}"; do arguments+=("-D$name=${values[$name]}"); done
  cmake "${arguments[@]}" -P "$check_file" 2>&1
}

refused() {  # NAME=VALUE
  local output
  if output=$(configure "$1"); then
    echo "FAIL $1 was accepted"
    failures=$((failures + 1))
  elif ! grep -q "${1%%=*} is" <<<"$output"; then
    echo "FAIL $1 refused without naming it: $output"
    failures=$((failures + 1))
  fi
}

configure >/dev/null || { echo "FAIL the project's own values were refused: $(configure)"; failures=$((failures + 1)); }
refused "TALLYWISE_MAKER=Quill bright"
refused "TALLYWISE_MAKER=O'Brien"
refused "TALLYWISE_MAKER=Quillbright©"
refused "TALLYWISE_MAKER=Quill.bright"
refused "TALLYWISE_PROGRAM_NAME=Tally<wise>"
refused "TALLYWISE_PROGRAM_NAME=AVeryLongProgramNameOfMoreThan32Letters"
refused "TALLYWISE_LEGAL_NOTICE=Copyright © 2026 Quillbright"
refused "TALLYWISE_LEGAL_NOTICE=Copyright 2026 \"Quillbright\""
refused "TALLYWISE_LEGAL_NOTICE=Costs \$5 & more"
refused "TALLYWISE_WEB_HOST=quillbright.example/x'y"
refused "TALLYWISE_SUPPORT_ADDRESS=support at quillbright"
refused "TALLYWISE_ICON_ID=12a"
[ $failures -eq 0 ]
