#!/usr/bin/env bash
# tallywise-eval in German and French, as LANGUAGE asks for them: a rejected
# expression's prompt, a fault, a usage error and --help in the language, the
# numbers and the marks the same as in English.
#   LanguageTest.sh PROGRAM
set -u
eval_program=$1

# shellcheck source=tests/cli/Check.sh
. "$(dirname "${BASH_SOURCE[0]}")/Check.sh"

# The check in one language: name, expected stdout, stderr and status, language, arguments...
check_in() {
  local name=$1 want_out=$2 want_err=$3 want_status=$4 language=$5
  shift 5
  check "$name" "$want_out" "$want_err" "$want_status" env LC_ALL=C.UTF-8 LANGUAGE="$language" "$eval_program" "$@"
}

check_in "German prompt, caret after the +" "" $'tallywise-eval: Argument 1: Hier Zahl einfügen\n  2+\n    ^' 1 de "2+"
check_in "French prompt naming the operators" "" $'tallywise-eval: argument 1: Côte à côte \'*-\'\n  2*-3\n   ^~' 1 fr "2*-3"
check_in "German fault, the value with a point" "5.000" "tallywise-eval: Argument 1: Division durch null!" 3 de "5+1/0"
check_in "French usage error" "" $'tallywise-eval: -d demande un nombre de décimales de 0 à 9\nEssayez « tallywise-eval --help ».' 2 fr -d 12
check_in "a decimal comma is read as in English" "2.500" "" 0 fr "2,5"
check_in "a language without a catalog is English" "" $'tallywise-eval: argument 1: Missing \')\'\n  (1\n    ^' 1 nl "(1"

# --help: the usage line in the language, and no block left in English.
for row in "de:Aufruf: tallywise-eval [OPTION]... [AUSDRUCK]..." \
           "fr:Usage : tallywise-eval [OPTION]... [EXPRESSION]..."; do
  language=${row%%:*}
  help=$(LC_ALL=C.UTF-8 LANGUAGE=$language "$eval_program" --help)
  if [ "$(head -n 1 <<<"$help")" != "${row#*:}" ] ||
     grep -q -e 'Exit status' -e 'decimal places of' -e 'digit groups' -e "calculator's own rules" <<<"$help"; then
    echo "FAIL $language --help: $(head -n 1 <<<"$help")"
    failures=$((failures + 1))
  fi
done

# Where the system has the locale, LANG alone chooses the language, and the
# locale's decimal comma changes no number.
if locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  out=$(env -u LC_ALL -u LANGUAGE -u LC_MESSAGES -u LC_NUMERIC LANG=de_DE.UTF-8 "$eval_program" "1/4" "2*" 2>&1)
  if [ "$out" != $'0.250\ntallywise-eval: Argument 2: Hier Zahl einfügen\n  2*\n    ^' ]; then
    echo "FAIL LANG=de_DE.UTF-8: $(printf '%q' "$out")"
    failures=$((failures + 1))
  fi
fi

if [ $failures -ne 0 ]; then
  echo "$failures language checks failed"
  exit 1
fi
echo "all language checks passed"
