#!/usr/bin/env bash
# Shows that the release is reproducible: clones the current commit into two
# folders of different names, the second with a blank in its path, runs
# scripts/package.sh in each, one after the other, the second in another time
# zone and with another umask, and compares the files of both dist/ folders
# byte for byte. Changes not yet committed take no part.
#   scripts/check-reproducible.sh
# Prints "ok ..." or one "FAIL ..." and fails when the files differ or a
# packaging failed.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd) || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/tallywise-reproducible.XXXXXX") ||
  { echo "FAIL reproducible release: could not make a temporary folder"; exit 1; }
trap 'rm -rf "$work"' EXIT

package_in() {  # folder
  if ! { git clone -q "$root" "$1" && (cd "$1" && bash scripts/package.sh); } >"$1.log" 2>&1; then
    echo "FAIL reproducible release: scripts/package.sh failed in $1:"
    tail -n 20 "$1.log"
    return 1
  fi
}

names_in() {  # folder: the paths of its files, manifests' folders included, on one line
  (cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
}

first=$work/first
second="$work/second build elsewhere"
package_in "$first" || exit 1
(umask 0002 && export TZ=Pacific/Auckland && package_in "$second") || exit 1

if [ "$(names_in "$first/dist")" != "$(names_in "$second/dist")" ]; then
  echo "FAIL reproducible release: different files: $(names_in "$first/dist") / $(names_in "$second/dist")"
  exit 1
fi
status=0
for name in $(names_in "$first/dist"); do
  cmp -s "$first/dist/$name" "$second/dist/$name" || { echo "FAIL reproducible release: $name differs"; status=1; }
done
[ $status -eq 0 ] && echo "ok reproducible release: $(names_in "$first/dist") byte-identical from two folders (one with a blank), two time zones"
exit $status
